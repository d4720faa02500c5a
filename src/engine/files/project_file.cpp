#include "files/project_file.h"

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>

#include "common/atomic_file.h"
#include "common/number_parse.h"
#include "common/regular_file.h"
#include "exactplan/inspected_years.h"
#include "localisation/language.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

static_assert(std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10,
              "reals are stored as x87 80-bit extended values");

enum Tag : unsigned char {
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    Extended = 0x05,
    String = 0x06,
    False = 0x08,
    True = 0x09,
    LString = 0x0C,
    WString = 0x12,
    Int64 = 0x13,
    Utf8String = 0x14,
    Double = 0x15,
};

constexpr int ShortData = msg::StreamReadError;
// The names of the optional trailing tags, in the order they are written: the centre
// convention, then the past inspections that found nothing (their years as one text).
const char* const ConventionTag = "CBKonvence";
const char* const InspectedTag = "EdProhlidky";
constexpr int BadValue = msg::InvalidPropertyValue;

struct DecodeError {
    int message;
};

// ------------------------------------------------------------------ text encodings

constexpr char32_t Replacement = 0xFFFD;

// Windows-1250, bytes 0x80 .. 0xFF; the five unassigned bytes stand for themselves.
constexpr char16_t Cp1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Code points of UTF-8 text; a malformed sequence, an overlong form or a surrogate is one
// replacement character per offending byte.
std::u32string DecodeUtf8(std::string_view s) {
    std::u32string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += b;
            ++i;
            continue;
        }
        // Lead byte: number of continuation bytes, its payload bits, the smallest code point.
        const int extra = (b & 0xE0) == 0xC0   ? 1
                          : (b & 0xF0) == 0xE0 ? 2
                          : (b & 0xF8) == 0xF0 ? 3
                                               : 0;
        char32_t c = b & (0x3F >> extra);
        const char32_t lowest = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        bool ok = extra > 0 && i + extra < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            ok = (t & 0xC0) == 0x80;
            c = c << 6 | (t & 0x3F);
        }
        ok = ok && c >= lowest && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        if (!ok) {
            out += Replacement;
            ++i;
            continue;
        }
        out += c;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string EncodeUtf8(const std::u32string& text) {
    std::string out;
    for (char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

std::size_t Utf16Length(const std::u32string& text) {
    std::size_t n = 0;
    for (char32_t c : text)
        n += c >= 0x10000 ? 2 : 1;
    return n;
}

std::string DecodeCp1250(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b < 0x80 ? b : Cp1250High[b - 0x80]);
    }
    return out;
}

// UTF-16LE units to UTF-8; an unpaired surrogate becomes the replacement character.
std::string DecodeUtf16(std::string_view bytes) {
    const std::size_t n = bytes.size() / 2;
    auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, Replacement);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

// ------------------------------------------------------------------ writing

void PutLittle(std::string& out, std::uint64_t v, int bytes) {
    for (int k = 0; k < bytes; ++k)
        out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

class Writer {
  public:
    void Integer(std::int32_t v) {
        if (v >= -128 && v <= 127) {
            out_ += static_cast<char>(Int8);
            PutLittle(out_, static_cast<std::uint32_t>(v), 1);
        } else if (v >= -32768 && v <= 32767) {
            out_ += static_cast<char>(Int16);
            PutLittle(out_, static_cast<std::uint32_t>(v), 2);
        } else {
            out_ += static_cast<char>(Int32);
            PutLittle(out_, static_cast<std::uint32_t>(v), 4);
        }
    }
    void Boolean(bool v) { out_ += static_cast<char>(v ? True : False); }
    void Real(double v) {
        // Widening a double to extended precision is exact.
        const long double x = v;
        char bytes[1 + sizeof(long double)];
        bytes[0] = static_cast<char>(Extended);
        std::memcpy(bytes + 1, &x, sizeof x);
        out_.append(bytes, 11);
    }
    void Text(std::string_view utf8) {
        const std::u32string points = DecodeUtf8(utf8);
        const std::string u = EncodeUtf8(points);
        const std::size_t c = Utf16Length(points);
        if (u.size() < 2 * c) {
            bool high = false;
            for (char ch : u)
                high = high || static_cast<unsigned char>(ch) >= 0x80;
            if (high) {
                out_ += static_cast<char>(Utf8String);
                PutLittle(out_, u.size(), 4);
            } else if (u.size() > 255) {
                out_ += static_cast<char>(LString);
                PutLittle(out_, u.size(), 4);
            } else {
                out_ += static_cast<char>(String);
                PutLittle(out_, u.size(), 1);
            }
            out_ += u;
            return;
        }
        out_ += static_cast<char>(WString);
        PutLittle(out_, c, 4);
        for (char32_t p : points) {
            if (p >= 0x10000) {
                PutLittle(out_, 0xD800 + ((p - 0x10000) >> 10), 2);
                PutLittle(out_, 0xDC00 + ((p - 0x10000) & 0x3FF), 2);
            } else {
                PutLittle(out_, p, 2);
            }
        }
    }
    void Classes(const ClassArray& P) {
        char bytes[MaxBins * 11];
        for (int i = 1; i <= MaxBins; ++i) {
            const long double x = P[i];
            char* at = bytes + static_cast<std::size_t>(i - 1) * 11;
            at[0] = static_cast<char>(Extended);
            std::memcpy(at + 1, &x, 10);
        }
        out_.append(bytes, sizeof bytes);
    }
    void Range(const DiscreteHistogram& h, double fourth) {
        Real(h.XFirst);
        Real(h.XLast);
        Real(h.Step);
        Real(fourth);
        Integer(h.Bins);
    }
    void Reserve(std::size_t bytes) { out_.reserve(bytes); }
    std::string Take() { return std::move(out_); }

  private:
    std::string out_;
};

// ------------------------------------------------------------------ reading

class Reader {
  public:
    explicit Reader(std::string_view bytes) : data_(bytes) {}

    std::int32_t Integer() {
        switch (TagByte()) {
        case Int8:
            return static_cast<std::int8_t>(Little(1));
        case Int16:
            return static_cast<std::int16_t>(Little(2));
        case Int32:
            return static_cast<std::int32_t>(Little(4));
        default:
            throw DecodeError{BadValue};
        }
    }
    std::int32_t Integer(std::int32_t lowest, std::int32_t highest) {
        const std::int32_t v = Integer();
        if (v < lowest || v > highest) throw DecodeError{BadValue};
        return v;
    }
    bool AtEnd() const { return pos_ == data_.size(); }
    bool Boolean() {
        switch (TagByte()) {
        case True:
            return true;
        case False:
            return false;
        default:
            throw DecodeError{BadValue};
        }
    }
    // Every stored real is a finite double: no infinity or NaN reaches a histogram.
    double Real() {
        double v = 0.0;
        // The usual case first: an extended value in full.
        if (Remaining() >= 11 && static_cast<unsigned char>(data_[pos_]) == Extended) {
            long double x = 0.0L;
            std::memcpy(&x, data_.data() + pos_ + 1, 10);
            pos_ += 11;
            v = static_cast<double>(x);
            if (!std::isfinite(v)) throw DecodeError{BadValue};
            return v;
        }
        switch (TagByte()) {
        case Extended: {
            const std::string_view b = Take(10);
            long double x = 0.0L;
            std::memcpy(&x, b.data(), 10);
            v = static_cast<double>(x);
            break;
        }
        case Double: {
            const std::uint64_t bits = Little(8);
            std::memcpy(&v, &bits, sizeof v);
            break;
        }
        case Int64:
            v = static_cast<double>(static_cast<std::int64_t>(Little(8)));
            break;
        case Int8:
            v = static_cast<std::int8_t>(Little(1));
            break;
        case Int16:
            v = static_cast<std::int16_t>(Little(2));
            break;
        case Int32:
            v = static_cast<std::int32_t>(Little(4));
            break;
        default:
            throw DecodeError{BadValue};
        }
        if (!std::isfinite(v)) throw DecodeError{BadValue};
        return v;
    }
    std::string Text() {
        switch (TagByte()) {
        case String:
            return DecodeCp1250(Take(Little(1)));
        case LString:
            return DecodeCp1250(Take(Little(4)));
        case WString: {
            const std::uint64_t units = Little(4);
            if (units > Remaining() / 2) throw DecodeError{ShortData};
            return DecodeUtf16(Take(2 * units));
        }
        case Utf8String:
            return EncodeUtf8(DecodeUtf8(Take(Little(4))));
        default:
            throw DecodeError{BadValue};
        }
    }
    void Classes(ClassArray& P) {
        P[0] = 0.0;
        for (int i = 1; i <= MaxBins; ++i)
            P[i] = Real();
    }
    // XFirst, XLast, Step, the fourth real (returned), Bins.
    double Range(DiscreteHistogram& h) {
        h.XFirst = Real();
        h.XLast = Real();
        h.Step = Real();
        const double fourth = Real();
        h.Bins = Integer(0, MaxBins);
        return fourth;
    }

  private:
    std::size_t Remaining() const { return data_.size() - pos_; }
    std::string_view Take(std::uint64_t n) {
        if (n > Remaining()) throw DecodeError{ShortData};
        const std::string_view s = data_.substr(pos_, static_cast<std::size_t>(n));
        pos_ += static_cast<std::size_t>(n);
        return s;
    }
    unsigned char TagByte() { return static_cast<unsigned char>(Take(1)[0]); }
    std::uint64_t Little(int bytes) {
        const std::string_view b = Take(static_cast<std::uint64_t>(bytes));
        std::uint64_t v = 0;
        for (int k = bytes - 1; k >= 0; --k)
            v = v << 8 | static_cast<unsigned char>(b[k]);
        return v;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
};

// The frequency total of DeltaS^m follows from its probabilities as the DeltaS^m step derives it:
// the sum of 1/P over the occupied classes, scaled down by tens into the range of a 64-bit count.
double DeltaSmTotal(const StateHistogram& h) {
    return static_cast<double>(WithinCountRange(FrequencyTotal(h.P, h.Bins)));
}

// File arithmetic leaves the floating-point flags of the calculation as they were.
class QuietFloatingPoint {
  public:
    QuietFloatingPoint() { std::feholdexcept(&saved_); }
    ~QuietFloatingPoint() { std::fesetenv(&saved_); }
    QuietFloatingPoint(const QuietFloatingPoint&) = delete;
    QuietFloatingPoint& operator=(const QuietFloatingPoint&) = delete;

  private:
    std::fenv_t saved_;
};

} // namespace

bool MethodHasParameter(int method) {
    return method >= 0 && method <= 3;
}

namespace project_values {
std::string Integer(std::int32_t value) {
    Writer w;
    w.Integer(value);
    return w.Take();
}
std::string Boolean(bool value) {
    Writer w;
    w.Boolean(value);
    return w.Take();
}
std::string Real(double value) {
    Writer w;
    w.Real(value);
    return w.Take();
}
std::string Text(std::string_view utf8) {
    Writer w;
    w.Text(utf8);
    return w.Take();
}
} // namespace project_values

std::string EncodeProject(const ProjectData& p) {
    Writer w;
    // Eleven histograms of 1024 reals of 11 bytes, and a little for the rest.
    w.Reserve(11 * (MaxBins + 5) * 11 + 1024);
    w.Text(p.projectName);
    w.Boolean(p.controlPrintYes);
    w.Boolean(p.controlPrintNo);
    w.Boolean(p.english);
    w.Boolean(p.czech);
    w.Integer(p.crackOrigin);
    w.Integer(p.start);
    w.Integer(p.step);
    w.Integer(p.end);
    for (const std::string* t : {&p.Pd, &p.bf, &p.C, &p.tf, &p.m, &p.eps, &p.intervals})
        w.Text(*t);
    for (int k = 1; k <= RandomInputCount; ++k)
        w.Text(p.random[k].mi);
    for (int k = 1; k <= RandomInputCount; ++k)
        w.Text(p.random[k].sigma);
    for (int k = 1; k <= RandomInputCount; ++k)
        w.Text(p.random[k].n);
    for (int k = 1; k <= RandomInputCount; ++k)
        w.Integer(static_cast<int>(p.random[k].source));
    for (int k = 1; k <= RandomInputCount; ++k)
        w.Integer(p.random[k].type);
    for (int k = 1; k <= RandomInputCount; ++k)
        w.Classes(p.inputs[k].P);
    for (int k = 1; k <= RandomInputCount; ++k)
        w.Range(p.inputs[k], p.inputs[k].Total);
    w.Integer(p.method);
    if (MethodHasParameter(p.method)) w.Text(p.methodParameter);
    w.Classes(p.deltaSm.P);
    w.Range(p.deltaSm, p.deltaSm.Span);
    for (const DiscreteHistogram& h : p.results)
        w.Classes(h.P);
    for (const DiscreteHistogram& h : p.results)
        w.Range(h, h.Total);
    if (p.convention == Convention::Centre) {
        w.Text(ConventionTag);
        w.Integer(1);
    }
    if (!p.inspected.empty()) {
        w.Text(InspectedTag);
        w.Text(exactplan::InspectedYearsText(p.inspected));
    }
    return w.Take();
}

std::variant<ProjectData, Failure> DecodeProject(std::string_view bytes) {
    const QuietFloatingPoint quiet;
    ProjectData p;
    Reader r(bytes);
    try {
        p.projectName = r.Text();
        p.controlPrintYes = r.Boolean();
        p.controlPrintNo = r.Boolean();
        p.english = r.Boolean();
        p.czech = r.Boolean();
        p.crackOrigin = r.Integer(0, 1);
        p.start = r.Integer();
        p.step = r.Integer();
        p.end = r.Integer();
        for (std::string* t : {&p.Pd, &p.bf, &p.C, &p.tf, &p.m, &p.eps, &p.intervals})
            *t = r.Text();
        for (int k = 1; k <= RandomInputCount; ++k)
            p.random[k].mi = r.Text();
        for (int k = 1; k <= RandomInputCount; ++k)
            p.random[k].sigma = r.Text();
        for (int k = 1; k <= RandomInputCount; ++k)
            p.random[k].n = r.Text();
        for (int k = 1; k <= RandomInputCount; ++k)
            p.random[k].source = static_cast<InputSource>(r.Integer(0, 1));
        // -1: the type list shows no entry.
        for (int k = 1; k <= RandomInputCount; ++k)
            p.random[k].type = r.Integer(-1, 3);
        for (int k = 1; k <= RandomInputCount; ++k)
            r.Classes(p.inputs[k].P);
        for (int k = 1; k <= RandomInputCount; ++k)
            p.inputs[k].Total = r.Range(p.inputs[k]);
        p.method = r.Integer(-1, 4);
        p.methodParameter.clear();
        if (MethodHasParameter(p.method)) p.methodParameter = r.Text();
        r.Classes(p.deltaSm.P);
        p.deltaSm.Span = r.Range(p.deltaSm);
        p.deltaSm.Total = DeltaSmTotal(p.deltaSm);
        for (DiscreteHistogram& h : p.results)
            r.Classes(h.P);
        for (DiscreteHistogram& h : p.results)
            h.Total = r.Range(h);
        // Each tag at most once and in its order; anything else is refused.
        std::string tag = r.AtEnd() ? "" : r.Text();
        if (tag == ConventionTag) {
            p.convention = r.Integer(0, 1) == 1 ? Convention::Centre : Convention::First;
            tag = r.AtEnd() ? "" : r.Text();
        }
        if (tag == InspectedTag) {
            auto years = exactplan::ReadInspectedYears(r.Text(), 0, MaxYear, InspectedTag);
            if (!std::holds_alternative<std::vector<int>>(years) ||
                std::get<std::vector<int>>(years).empty())
                throw DecodeError{BadValue};
            p.inspected = std::get<std::vector<int>>(years);
            tag = r.AtEnd() ? "" : r.Text();
        }
        if (!tag.empty() || !r.AtEnd()) throw DecodeError{BadValue};
    } catch (const DecodeError& e) {
        return ErrorBox(0, TextCis(e.message));
    }
    return p;
}

std::optional<Failure> WriteProjectFile(const std::filesystem::path& path,
                                        const ProjectData& project) {
    if (const auto error = WriteFileAtomically(path, EncodeProject(project)))
        return ErrorBox(0, FormatMessage(TextCis(msg::CannotCreateFile), {path.string(), *error}));
    return std::nullopt;
}

std::variant<ProjectData, Failure> ReadProjectFile(const std::filesystem::path& path) {
    auto read = ReadRegularFile(path, MaxUserFileBytes);
    if (const FileReadFailure* f = std::get_if<FileReadFailure>(&read))
        return ErrorBox(0, FormatMessage(TextCis(msg::CannotOpenFile), {path.string(), f->reason}));
    return DecodeProject(std::get<std::string>(read));
}

ProjectData MakeProjectData(const CalculationInputs& in, const CalculationState& state) {
    ProjectData p;
    p.projectName = in.projectName;
    p.controlPrintYes = in.controlPrint;
    p.controlPrintNo = !in.controlPrint;
    p.english = CurrentLanguage() == Language::English;
    p.czech = !p.english;
    p.crackOrigin = in.crackOrigin;
    p.start = state.start;
    p.step = state.step;
    p.end = state.end;
    p.Pd = in.Pd;
    p.bf = in.bf;
    p.C = in.C;
    p.tf = in.tf;
    p.m = in.m;
    p.eps = in.eps;
    p.intervals = in.intervals;
    p.random = in.random;
    p.inputs = state.inputs.histogram;
    p.method = in.integration.method;
    switch (in.integration.method) {
    case 0:
    case 1:
        p.methodParameter = in.integration.stepsText;
        break;
    case 2:
        p.methodParameter = in.integration.levelsText;
        break;
    case 3:
        p.methodParameter = in.integration.tol0Text;
        break;
    default:
        break;
    }
    p.deltaSm = state.DeltaSm;
    p.results = {state.Rad, state.Raac, state.RfU, state.RfF};
    p.convention = in.integration.convention;
    p.inspected = in.inspected;
    return p;
}

void ApplyProject(const ProjectData& p, CalculationInputs& in, CalculationState& state) {
    in.projectName = p.projectName;
    in.crackOrigin = p.crackOrigin;
    state.start = p.start;
    state.step = p.step;
    state.end = p.end;
    in.yearStart = in.startText = std::to_string(p.start);
    in.yearStep = in.stepText = std::to_string(p.step);
    in.yearEnd = in.endText = std::to_string(p.end);
    in.Pd = p.Pd;
    in.bf = p.bf;
    in.C = p.C;
    in.tf = p.tf;
    // The resistance of this project is that of its own flange.
    in.tfValue = ParseRealPrefix(p.tf);
    in.m = p.m;
    in.eps = p.eps;
    in.intervals = p.intervals;
    in.random = p.random;

    in.integration.method = p.method;
    switch (p.method) {
    case 0:
    case 1:
        in.integration.stepsText = p.methodParameter;
        in.integration.steps = static_cast<int>(ParseWholePrefix(p.methodParameter));
        break;
    case 2:
        in.integration.levelsText = p.methodParameter;
        in.integration.levels = static_cast<int>(ParseWholePrefix(p.methodParameter));
        break;
    case 3:
        in.integration.tol0Text = p.methodParameter;
        in.integration.tol0 = ParseRealPrefix(p.methodParameter);
        break;
    default:
        break;
    }
    in.integration.convention = p.convention;
    in.inspected = p.inspected;

    state.inputs.histogram = p.inputs;
    for (int k = 1; k <= RandomInputCount; ++k)
        state.inputs.ready[k] = true;
    state.DeltaSm = p.deltaSm;
    state.DeltaSmReady = true;
    auto result = [](StateHistogram& target, const DiscreteHistogram& h) {
        static_cast<DiscreteHistogram&>(target) = h;
        target.Span = h.XLast - h.XFirst;
    };
    result(state.Rad, p.results[0]);
    result(state.Raac, p.results[1]);
    result(state.RfU, p.results[2]);
    result(state.RfF, p.results[3]);
    state.RadReady = state.RaacReady = true;
    state.RfUReady = state.RfFReady = false;
    state.NnReady = state.SnReady = false;
    state.NnCurrent = state.SnCurrent = false;
}

} // namespace tessavin
