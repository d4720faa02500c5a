#include "files/project_file.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <variant>

#include <gtest/gtest.h>
#include <unistd.h>

#include "../test_histograms.h"
#include "calculation/load_effect.h"
#include "localisation/language.h"

namespace tessavin {
namespace {

using namespace std::string_literals;
namespace values = project_values;

std::string Bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list)
        s += static_cast<char>(b);
    return s;
}

std::string Hex(const std::string& bytes) {
    std::ostringstream out;
    for (unsigned char b : bytes) {
        static const char* digits = "0123456789ABCDEF";
        out << digits[b >> 4] << digits[b & 15] << ' ';
    }
    return out.str();
}

std::filesystem::path TempFile(const std::string& name) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("tessavin-project-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

// Histogram fields bit for bit: 0.0 and -0.0 differ, and so do two NaN patterns.
void ExpectSameHistogram(const DiscreteHistogram& a, const DiscreteHistogram& b,
                         const std::string& what) {
    EXPECT_EQ(a.Bins, b.Bins) << what;
    for (auto [x, y, name] :
         {std::tuple{a.XFirst, b.XFirst, "XFirst"}, std::tuple{a.XLast, b.XLast, "XLast"},
          std::tuple{a.Step, b.Step, "Step"}, std::tuple{a.Total, b.Total, "Total"}})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(x), std::bit_cast<std::uint64_t>(y))
            << what << " " << name;
    for (int i = 1; i <= MaxBins; ++i)
        if (std::bit_cast<std::uint64_t>(a.P[i]) != std::bit_cast<std::uint64_t>(b.P[i])) {
            ADD_FAILURE() << what << " P[" << i << "] " << a.P[i] << " != " << b.P[i];
            return;
        }
}

void ExpectSameProject(const ProjectData& a, const ProjectData& b) {
    EXPECT_EQ(a.projectName, b.projectName);
    EXPECT_EQ(a.controlPrintYes, b.controlPrintYes);
    EXPECT_EQ(a.controlPrintNo, b.controlPrintNo);
    EXPECT_EQ(a.english, b.english);
    EXPECT_EQ(a.czech, b.czech);
    EXPECT_EQ(a.crackOrigin, b.crackOrigin);
    EXPECT_EQ(a.start, b.start);
    EXPECT_EQ(a.step, b.step);
    EXPECT_EQ(a.end, b.end);
    EXPECT_EQ(a.Pd, b.Pd);
    EXPECT_EQ(a.bf, b.bf);
    EXPECT_EQ(a.C, b.C);
    EXPECT_EQ(a.tf, b.tf);
    EXPECT_EQ(a.m, b.m);
    EXPECT_EQ(a.eps, b.eps);
    EXPECT_EQ(a.intervals, b.intervals);
    for (int k = 1; k <= RandomInputCount; ++k) {
        EXPECT_EQ(a.random[k].source, b.random[k].source) << k;
        EXPECT_EQ(a.random[k].type, b.random[k].type) << k;
        EXPECT_EQ(a.random[k].mi, b.random[k].mi) << k;
        EXPECT_EQ(a.random[k].sigma, b.random[k].sigma) << k;
        EXPECT_EQ(a.random[k].n, b.random[k].n) << k;
        ExpectSameHistogram(a.inputs[k], b.inputs[k], "input " + std::to_string(k));
    }
    EXPECT_EQ(a.method, b.method);
    EXPECT_EQ(a.methodParameter, b.methodParameter);
    ExpectSameHistogram(a.deltaSm, b.deltaSm, "DeltaSm");
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.deltaSm.Span),
              std::bit_cast<std::uint64_t>(b.deltaSm.Span));
    for (int r = 0; r < 4; ++r)
        ExpectSameHistogram(a.results[r], b.results[r], "result " + std::to_string(r));
    EXPECT_EQ(a.convention, b.convention);
}

// Probabilities of awkward doubles: denormals, signed zeros, the extremes, long significands.
DiscreteHistogram Awkward(int seed, int bins) {
    std::mt19937_64 rng(seed);
    DiscreteHistogram h;
    h.Bins = bins;
    const double special[] = {0.0,
                              -0.0,
                              std::numeric_limits<double>::denorm_min(),
                              std::numeric_limits<double>::min(),
                              std::numeric_limits<double>::max(),
                              -std::numeric_limits<double>::max(),
                              1.0 / 3.0,
                              2.277E-2};
    for (int i = 1; i <= MaxBins; ++i)
        h.P[i] = i % 7 == 0 ? special[(i / 7) % 8]
                            : std::ldexp(std::uniform_real_distribution<double>(0, 1)(rng),
                                         -static_cast<int>(rng() % 1100));
    h.XFirst = -1.0E-300 * seed;
    h.XLast = 1.0E300 / seed;
    h.Step = 0.1 * seed;
    h.Total = 123456789.0 * seed;
    return h;
}

// A project with every field away from its default.
ProjectData Sample(int method) {
    ProjectData p;
    p.projectName = "Most přes Vltavu – pole 3";
    p.controlPrintYes = true;
    p.controlPrintNo = false;
    p.english = false;
    p.czech = true;
    p.crackOrigin = 1;
    p.start = 5;
    p.step = 200;
    p.end = -100000;
    p.Pd = "1E-3";
    p.bf = "3,5"; // texts are kept as typed, valid or not
    p.C = "";
    p.tf = std::string(300, '7');
    p.m = "3.0";
    p.eps = "1E-7";
    p.intervals = "1024";
    for (int k = 1; k <= RandomInputCount; ++k) {
        p.random[k] = {k % 2 ? InputSource::RawData : InputSource::Parametric, k % 5 - 1,
                       "mi" + std::to_string(k), "σ" + std::to_string(k), std::to_string(10 * k)};
        p.inputs[k] = Awkward(k, k * 100);
    }
    p.method = method;
    p.methodParameter = MethodHasParameter(method) ? "0.00005" : "";
    static_cast<DiscreteHistogram&>(p.deltaSm) = Awkward(11, 1024);
    p.deltaSm.Span = 7.5;
    for (int r = 0; r < 4; ++r)
        p.results[r] = Awkward(20 + r, 256);
    return p;
}

ProjectData Decoded(const std::string& bytes) {
    auto read = DecodeProject(bytes);
    if (auto* f = std::get_if<Failure>(&read)) {
        ADD_FAILURE() << "refused: " << f->text;
        return {};
    }
    return std::get<ProjectData>(std::move(read));
}

std::string RefusalText(const std::string& bytes) {
    const auto read = DecodeProject(bytes);
    const auto* f = std::get_if<Failure>(&read);
    return f ? f->text : "(accepted)";
}

// ------------------------------------------------------------------ byte layout

TEST(ProjectValues, ByteLayoutOfSingleValues) {
    const std::string ascii255(255, 'a'), ascii256(256, 'a');
    const struct {
        const char* what;
        std::string encoded;
        std::string expected;
    } cases[] = {
        {"empty text", values::Text(""), Bytes({0x12, 0, 0, 0, 0})},
        {"1", values::Integer(1), Bytes({0x02, 0x01})},
        {"-1", values::Integer(-1), Bytes({0x02, 0xFF})},
        {"127", values::Integer(127), Bytes({0x02, 0x7F})},
        {"-128", values::Integer(-128), Bytes({0x02, 0x80})},
        {"128", values::Integer(128), Bytes({0x03, 0x80, 0x00})},
        {"200", values::Integer(200), Bytes({0x03, 0xC8, 0x00})},
        {"-129", values::Integer(-129), Bytes({0x03, 0x7F, 0xFF})},
        {"32767", values::Integer(32767), Bytes({0x03, 0xFF, 0x7F})},
        {"32768", values::Integer(32768), Bytes({0x04, 0x00, 0x80, 0x00, 0x00})},
        {"-32769", values::Integer(-32769), Bytes({0x04, 0xFF, 0x7F, 0xFF, 0xFF})},
        {"100000", values::Integer(100000), Bytes({0x04, 0xA0, 0x86, 0x01, 0x00})},
        {"true", values::Boolean(true), Bytes({0x09})},
        {"false", values::Boolean(false), Bytes({0x08})},
        {"1.0", values::Real(1.0), Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        {"-2.0", values::Real(-2.0), Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0})},
        {"0.0", values::Real(0.0), Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        // The smallest denormal double is a normal extended value: 2^-1074.
        {"denormal", values::Real(std::numeric_limits<double>::denorm_min()),
         Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B})},
        {"1E6", values::Text("1E6"), Bytes({0x06, 0x03, '1', 'E', '6'})},
        {"255 ASCII", values::Text(ascii255), Bytes({0x06, 0xFF}) + ascii255},
        {"256 ASCII", values::Text(ascii256), Bytes({0x0C, 0x00, 0x01, 0x00, 0x00}) + ascii256},
        // Nine characters, one Czech: 10 UTF-8 bytes < 18.
        {"Zkouška 1", values::Text("Zkouška 1"), Bytes({0x14, 0x0A, 0, 0, 0}) + "Zkouška 1"},
        // Two Czech letters: 4 UTF-8 bytes, not less than 4.
        {"čř", values::Text("čř"), Bytes({0x12, 0x02, 0, 0, 0, 0x0D, 0x01, 0x59, 0x01})},
        // Outside the basic plane: a surrogate pair, 4 bytes against 2 units.
        {"U+1F309", values::Text("\xF0\x9F\x8C\x89"),
         Bytes({0x12, 0x02, 0, 0, 0, 0x3C, 0xD8, 0x09, 0xDF})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(c.encoded), Hex(c.expected)) << c.what;
}

TEST(ProjectValues, ReadingAcceptsEveryEncodingTheRulesAllow) {
    // The project name position takes any text tag; the first real (input 1, P[1]) any real.
    const std::string tail =
        EncodeProject(Sample(4)).substr(values::Text(Sample(4).projectName).size());
    const struct {
        const char* what;
        std::string name;
        std::string expected;
    } texts[] = {
        {"String, Windows-1250", Bytes({0x06, 0x04, 0x8A, 0xE8, 0xF8, 0x20}), "Ščř "},
        {"LString", Bytes({0x0C, 0x02, 0, 0, 0, 0x9E, 0xBE}), "žľ"},
        {"WString", Bytes({0x12, 0x01, 0, 0, 0, 0x61, 0x01}), "š"},
        {"WString, lone surrogate", Bytes({0x12, 0x01, 0, 0, 0, 0x00, 0xD8}), "\xEF\xBF\xBD"},
        {"UTF8String", Bytes({0x14, 0x02, 0, 0, 0, 0xC5, 0xA1}), "š"},
        {"UTF8String, malformed", Bytes({0x14, 0x02, 0, 0, 0, 0xC5, 'x'}), "\xEF\xBF\xBDx"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(Decoded(t.name + tail).projectName, t.expected) << t.what;

    ProjectData p = Sample(4);
    p.inputs[1].P[1] = 4.0;
    const std::string file = EncodeProject(p);
    const std::string four = values::Real(4.0);
    const std::size_t at = file.find(four);
    ASSERT_NE(at, std::string::npos);
    const struct {
        const char* what;
        std::string bytes;
        double value;
    } reals[] = {
        {"Double", Bytes({0x15, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}), 1.5},
        {"Int64", Bytes({0x13, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), -2.0},
        {"Int8", Bytes({0x02, 0x07}), 7.0},
        {"Int16", Bytes({0x03, 0x00, 0x01}), 256.0},
        {"Int32", Bytes({0x04, 0xA0, 0x86, 0x01, 0x00}), 100000.0},
        // 1 + 2^-63 has no double: it rounds to the nearest, 1.0.
        {"Extended beyond double", Bytes({0x05, 1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), 1.0},
    };
    for (const auto& r : reals) {
        std::string changed = file;
        changed.replace(at, four.size(), r.bytes);
        EXPECT_EQ(Decoded(changed).inputs[1].P[1], r.value) << r.what;
    }
}

TEST(ProjectFile, MethodDecidesWhetherAParameterTextFollows) {
    // Methods 0 .. 3 store the text of their own parameter field; 4 and "none" store nothing.
    CalculationInputs in;
    in.integration.stepsText = "1000";
    in.integration.levelsText = "8";
    in.integration.tol0Text = "1E-5";
    CalculationState state;
    const struct {
        int method;
        std::string parameter;
    } cases[] = {{0, "1000"}, {1, "1000"}, {2, "8"}, {3, "1E-5"}, {4, ""}, {-1, ""}};
    const std::size_t withoutParameter = [&] {
        in.integration.method = 4;
        return EncodeProject(MakeProjectData(in, state)).size();
    }();
    for (const auto& c : cases) {
        in.integration.method = c.method;
        const ProjectData p = MakeProjectData(in, state);
        EXPECT_EQ(p.methodParameter, c.parameter) << c.method;
        const std::string bytes = EncodeProject(p);
        const std::size_t extra = c.parameter.empty() ? 0 : values::Text(c.parameter).size();
        EXPECT_EQ(bytes.size(), withoutParameter + extra) << c.method;
        const ProjectData back = Decoded(bytes);
        EXPECT_EQ(back.method, c.method);
        EXPECT_EQ(back.methodParameter, c.parameter);
    }
    // Method 4 is exactly the method-0 file without the one text value after the index.
    in.integration.method = 0;
    std::string zero = EncodeProject(MakeProjectData(in, state));
    in.integration.method = 4;
    const std::string four = EncodeProject(MakeProjectData(in, state));
    const std::string parameter = values::Text("1000");
    const std::size_t at = zero.find(values::Integer(0) + parameter);
    ASSERT_NE(at, std::string::npos);
    zero.erase(at + 2, parameter.size());
    zero[at + 1] = 4;
    EXPECT_EQ(zero, four);
}

// ------------------------------------------------------------------ whole files

TEST(ProjectFile, SaveThenOpenGivesBackEveryFieldBitForBit) {
    for (int method : {0, 2, 3, 4}) {
        const ProjectData p = Sample(method);
        const auto path = TempFile("sample.Vys");
        ASSERT_FALSE(WriteProjectFile(path, p).has_value());
        auto read = ReadProjectFile(path);
        ASSERT_TRUE(std::holds_alternative<ProjectData>(read)) << std::get<Failure>(read).text;
        ProjectData back = std::get<ProjectData>(std::move(read));
        // The file keeps the span of DeltaS^m, not its total, which is derived again.
        back.deltaSm.Total = p.deltaSm.Total;
        ExpectSameProject(p, back);
    }
}

TEST(ProjectFile, OpeningACalculatedProjectRestoresTheCalculation) {
    // Inputs as the input page builds them and DeltaS^m as the calculation builds it.
    CalculationInputs in;
    in.projectName = "Podélník";
    in.crackOrigin = 1;
    in.tf = "30";
    in.integration.method = 2;
    in.integration.levelsText = "7";
    in.random[3].source = InputSource::RawData;
    CalculationState state;
    const auto fields = DefaultRandomFields();
    for (int k = 1; k <= RandomInputCount; ++k) {
        state.inputs.histogram[k] = test::ParametricInput(fields[k].type, fields[k].mi.c_str(),
                                                          fields[k].sigma.c_str(), "32");
        state.inputs.ready[k] = true;
    }
    ASSERT_TRUE(DeltaSmStep(in, state));
    state.Rad.Bins = 3;
    state.Rad.P[2] = 0.25;
    state.Raac.Total = 17;
    state.RfF.XFirst = -4.5;
    state.start = 10;
    state.step = 2;
    state.end = 40;
    SetLanguage(Language::Czech);
    const ProjectData saved = MakeProjectData(in, state);
    SetLanguage(Language::English);
    EXPECT_TRUE(saved.czech);
    EXPECT_FALSE(saved.english);

    const auto path = TempFile("calculated.Vys");
    ASSERT_FALSE(WriteProjectFile(path, saved).has_value());
    auto read = ReadProjectFile(path);
    ASSERT_TRUE(std::holds_alternative<ProjectData>(read));
    const ProjectData& opened = std::get<ProjectData>(read);
    ExpectSameProject(saved, opened); // DeltaS^m total included

    CalculationInputs in2;
    in2.integration.stepsText = "500";
    CalculationState state2;
    state2.NnReady = state2.SnReady = state2.RfUReady = state2.RfFReady = true;
    ApplyProject(opened, in2, state2);
    EXPECT_EQ(in2.projectName, "Podélník");
    EXPECT_EQ(in2.crackOrigin, 1);
    EXPECT_EQ(in2.tf, "30");
    EXPECT_EQ(in2.tfValue, 30.0);
    EXPECT_EQ(in2.random[3].source, InputSource::RawData);
    EXPECT_EQ(in2.random[3].type, fields[3].type);
    // The period goes into the fields and the accepted texts.
    EXPECT_EQ(std::tie(state2.start, state2.step, state2.end),
              std::tie(state.start, state.step, state.end));
    for (const std::string* t : {&in2.yearStart, &in2.startText})
        EXPECT_EQ(*t, "10");
    for (const std::string* t : {&in2.yearStep, &in2.stepText})
        EXPECT_EQ(*t, "2");
    for (const std::string* t : {&in2.yearEnd, &in2.endText})
        EXPECT_EQ(*t, "40");
    // Only the stored parameter is taken, and parsed.
    EXPECT_EQ(in2.integration.method, 2);
    EXPECT_EQ(in2.integration.levelsText, "7");
    EXPECT_EQ(in2.integration.levels, 7);
    EXPECT_EQ(in2.integration.stepsText, "500");
    for (int k = 1; k <= RandomInputCount; ++k) {
        ExpectSameHistogram(state2.inputs.histogram[k], state.inputs.histogram[k], "input");
        EXPECT_TRUE(state2.inputs.ready[k]);
    }
    ExpectSameHistogram(state2.DeltaSm, state.DeltaSm, "DeltaSm");
    EXPECT_EQ(state2.DeltaSm.Span, state.DeltaSm.Span);
    ExpectSameHistogram(state2.Rad, state.Rad, "Rad");
    ExpectSameHistogram(state2.Raac, state.Raac, "Raac");
    ExpectSameHistogram(state2.RfF, state.RfF, "RfF");
    EXPECT_TRUE(state2.DeltaSmReady);
    EXPECT_TRUE(state2.RadReady);
    EXPECT_TRUE(state2.RaacReady);
    EXPECT_FALSE(state2.RfUReady || state2.RfFReady || state2.NnReady || state2.SnReady);
}

TEST(ProjectFile, ShortOrBadFilesAreRefusedWithTheirMessage) {
    const std::string good = EncodeProject(Sample(3));
    const std::string name = values::Text(Sample(3).projectName);
    const std::size_t firstBoolean = name.size();
    const std::size_t crackOrigin = firstBoolean + 4;
    const std::string real = values::Real(Sample(3).inputs[1].P[1]);
    const std::size_t firstReal = good.find(real);
    ASSERT_NE(firstReal, std::string::npos);
    const std::size_t lastBins = good.size() - 3; // Int16 256 of RfF

    auto cut = [&](std::size_t size) { return good.substr(0, size); };
    auto set = [&](std::size_t at, std::string bytes) {
        std::string s = good;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    const struct {
        const char* what;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"empty file", "", "Stream read error"},
        {"tag only", cut(1), "Stream read error"},
        {"inside the name", cut(name.size() - 1), "Stream read error"},
        {"inside a real", cut(firstReal + 5), "Stream read error"},
        {"last byte missing", cut(good.size() - 1), "Stream read error"},
        {"text length beyond the end", Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),
         "Stream read error"},
        {"UTF-16 length beyond the end", Bytes({0x12, 0xFF, 0xFF, 0xFF, 0xFF}),
         "Stream read error"},
        {"name as an integer", set(0, Bytes({0x02})), "Invalid property value"},
        {"boolean as an integer", set(firstBoolean, Bytes({0x02})), "Invalid property value"},
        {"integer as a real", set(crackOrigin, Bytes({0x05})), "Invalid property value"},
        {"real as a text", set(firstReal, Bytes({0x06})), "Invalid property value"},
        {"unknown tag", set(firstReal, Bytes({0x00})), "Invalid property value"},
        {"crack origin 2", set(crackOrigin, Bytes({0x02, 0x02})), "Invalid property value"},
        {"infinite real", set(firstReal, Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})),
         "Invalid property value"},
        {"NaN as a double", set(firstReal, Bytes({0x15, 0, 0, 0, 0, 0, 0, 0xF8, 0x7F})),
         "Invalid property value"},
        {"unnormal extended", set(firstReal, Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xFF, 0x3F})),
         "Invalid property value"},
        {"1025 classes", set(lastBins, Bytes({0x03, 0x01, 0x04})), "Invalid property value"},
        {"negative classes", set(lastBins, Bytes({0x03, 0xFF, 0xFF})), "Invalid property value"},
        // After the histograms only the convention tag may follow.
        {"a stray byte after the end", good + Bytes({0x02}), "Invalid property value"},
        {"another text after the end", good + values::Text("CBMetoda") + values::Integer(1),
         "Invalid property value"},
        {"tag without its value", good + values::Text("CBKonvence"), "Stream read error"},
        {"convention 2", good + values::Text("CBKonvence") + values::Integer(2),
         "Invalid property value"},
        {"convention as a boolean", good + values::Text("CBKonvence") + values::Boolean(true),
         "Invalid property value"},
        {"bytes after the tag", good + values::Text("CBKonvence") + values::Integer(1) + "x",
         "Invalid property value"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RefusalText(c.bytes), c.message) << c.what;
    EXPECT_EQ(RefusalText(good), "(accepted)");

    // A file that cannot be opened names itself.
    const auto missing = TempFile("missing.Vys");
    std::filesystem::remove(missing);
    const auto read = ReadProjectFile(missing);
    ASSERT_TRUE(std::holds_alternative<Failure>(read));
    EXPECT_EQ(
        std::get<Failure>(read).text.rfind("Cannot open file \"" + missing.string() + "\". ", 0),
        0u);
}

// A first project has the established layout, ending with the Bins of RfF; a centre project
// carries the tag after it, and reading it back gives the convention.
TEST(ProjectFile, OnlyACentreProjectCarriesTheConventionTag) {
    ProjectData first = Sample(2);
    ProjectData centre = Sample(2);
    centre.convention = Convention::Centre;
    const std::string firstBytes = EncodeProject(first);
    EXPECT_EQ(firstBytes.substr(firstBytes.size() - 3), values::Integer(256)); // RfF Bins
    EXPECT_EQ(EncodeProject(centre), firstBytes + values::Text("CBKonvence") + values::Integer(1));
    EXPECT_EQ(Decoded(firstBytes).convention, Convention::First);
    EXPECT_EQ(Decoded(EncodeProject(centre)).convention, Convention::Centre);
    EXPECT_EQ(Decoded(firstBytes + values::Text("CBKonvence") + values::Integer(0)).convention,
              Convention::First);

    // Saving takes the convention of the calculation, opening sets it.
    CalculationInputs in;
    CalculationState state;
    in.integration.convention = Convention::Centre;
    EXPECT_EQ(MakeProjectData(in, state).convention, Convention::Centre);
    CalculationInputs other;
    ApplyProject(centre, other, state);
    EXPECT_EQ(other.integration.convention, Convention::Centre);
    ApplyProject(first, other, state);
    EXPECT_EQ(other.integration.convention, Convention::First);
}

// Past inspections follow the convention tag, only when there are some; a first project
// without them keeps the established bytes. Malformed or misplaced tags are refused.
TEST(ProjectFile, PastInspectionsTrailTheConventionTag) {
    const std::string firstBytes = EncodeProject(Sample(2));
    ProjectData inspected = Sample(2);
    inspected.inspected = {50, 58};
    const std::string inspectedTag = values::Text("EdProhlidky") + values::Text("50, 58");
    EXPECT_EQ(EncodeProject(inspected), firstBytes + inspectedTag);
    ProjectData both = inspected;
    both.convention = Convention::Centre;
    const std::string convention = values::Text("CBKonvence") + values::Integer(1);
    EXPECT_EQ(EncodeProject(both), firstBytes + convention + inspectedTag);

    EXPECT_TRUE(Decoded(firstBytes).inspected.empty());
    EXPECT_EQ(Decoded(EncodeProject(inspected)).inspected, (std::vector<int>{50, 58}));
    const ProjectData back = Decoded(EncodeProject(both));
    EXPECT_EQ(back.inspected, (std::vector<int>{50, 58}));
    EXPECT_EQ(back.convention, Convention::Centre);
    EXPECT_EQ(EncodeProject(back), EncodeProject(both));

    const auto tag = [&](const std::string& years) {
        return firstBytes + values::Text("EdProhlidky") + values::Text(years);
    };
    const struct {
        const char* what;
        std::string bytes;
    } refused[] = {
        {"no years", tag("")},
        {"not a number", tag("50, x")},
        {"decreasing", tag("58, 50")},
        {"repeated", tag("50, 50")},
        {"beyond the last year", tag("301")},
        {"years as an integer", firstBytes + values::Text("EdProhlidky") + values::Integer(50)},
        {"tag twice", tag("50") + values::Text("EdProhlidky") + values::Text("58")},
        {"convention after it", tag("50") + convention},
        {"bytes after it", tag("50") + "x"},
    };
    for (const auto& c : refused)
        EXPECT_EQ(RefusalText(c.bytes), "Invalid property value") << c.what;
    EXPECT_EQ(RefusalText(firstBytes + values::Text("EdProhlidky")), "Stream read error");

    // Saving takes the years of the calculation, opening sets them.
    CalculationInputs in;
    CalculationState state;
    in.inspected = {40};
    EXPECT_EQ(MakeProjectData(in, state).inspected, (std::vector<int>{40}));
    CalculationInputs other;
    ApplyProject(inspected, other, state);
    EXPECT_EQ(other.inspected, (std::vector<int>{50, 58}));
}

TEST(ProjectFile, FailedSaveLeavesTheOldFile) {
    const auto path = TempFile("kept.Vys");
    ASSERT_FALSE(WriteProjectFile(path, Sample(4)).has_value());
    const auto blocked = TempFile("no-such-folder") / "x.Vys";
    const auto failure = WriteProjectFile(blocked, Sample(4));
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->text.rfind("Cannot create file \"" + blocked.string() + "\". ", 0), 0u);
    EXPECT_TRUE(std::holds_alternative<ProjectData>(ReadProjectFile(path)));
}

// Random cuts and byte changes of a valid file: each is read completely or refused with one of
// the two messages, and what is read saves and reads back the same.
TEST(ProjectFile, MutatedFilesAreReadWhollyOrRefused) {
    ProjectData small = Sample(1);
    const std::string good = EncodeProject(small);
    std::mt19937 rng(20240611);
    int accepted = 0, refused = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes = good;
        if (round % 3 == 0) {
            bytes.resize(rng() % good.size());
        } else {
            // Tags and lengths sit mostly in the first part; hit it more often.
            const std::size_t span =
                round % 3 == 1 ? std::min<std::size_t>(good.size(), 2000) : good.size();
            for (int flips = 1 + rng() % 4; flips > 0; --flips)
                bytes[rng() % span] ^= static_cast<char>(1 + rng() % 255);
        }
        auto read = DecodeProject(bytes);
        if (auto* f = std::get_if<Failure>(&read)) {
            ++refused;
            ASSERT_TRUE(f->text == "Stream read error" || f->text == "Invalid property value")
                << f->text;
            continue;
        }
        ++accepted;
        const ProjectData& once = std::get<ProjectData>(read);
        ProjectData twice = Decoded(EncodeProject(once));
        ExpectSameProject(once, twice);
        if (HasFailure()) FAIL() << "round " << round;
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}

} // namespace
} // namespace tessavin
