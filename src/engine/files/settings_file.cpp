#include "files/settings_file.h"

// The narrow, byte-preserving form of the library: the file is UTF-8 and no wide-character
// conversion is wanted. This is the one unit that uses the library, so it compiles the template
// members itself and nothing needs linking.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <charconv>
#include <cstring>
#include <limits>
#include <variant>

#include "common/atomic_file.h"
#include "common/regular_file.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {

struct SettingsFile::Impl {
    // Case-insensitive names, one value per key, no multi-line values, UTF-8.
    CSimpleIniA ini{true, false, false};
    Impl() { ini.SetSpaces(false); }
};

namespace {

const char* Value(const CSimpleIniA& ini, std::string_view section, std::string_view key) {
    return ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A line the library can keep: blank, a section header or key=value. Anything else would be
// carried along as a comment and written again on every save; comments themselves move between
// a key and the header above it from one save to the next, so they are not kept either (the
// program writes none).
bool KeptLine(std::string_view line) {
    if (line.empty()) return true;
    if (line.front() == ';' || line.front() == '#') return false;
    if (line.front() == '[') {
        // A header of no name would open the unnamed section, which is saved without a header
        // and so reads back differently.
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos) return false;
        const std::string_view name = line.substr(1, close - 1);
        return name.find_first_not_of(" \t") != std::string_view::npos;
    }
    return line.find('=') != std::string_view::npos;
}

// Blanks and byte-order marks at the start of a line are dropped. A mark is only one at the
// start of the file, and a line that begins with one in the middle would begin the file after a
// save: the line must read the same wherever it stands.
std::string_view Unindented(std::string_view line) {
    for (;;) {
        if (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        else if (line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
        else
            return line;
    }
}

} // namespace

std::optional<int> ParseSettingInteger(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    // from_chars takes no sign or prefix of its own: the digits must be all that is left.
    if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
    long long magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::vector<std::pair<std::string, std::string>> SettingsListingRows(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> rows;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            rows.emplace_back(std::string(line), std::string());
        else
            rows.emplace_back(std::string(line.substr(0, equals)),
                              std::string(line.substr(equals + 1)));
    }
    return rows;
}

SettingsFile::SettingsFile() : impl_(std::make_unique<Impl>()) {}
SettingsFile::~SettingsFile() = default;

std::optional<std::string> SettingsFile::Load(const std::filesystem::path& path) {
    impl_->ini.Reset();
    auto read = ReadRegularFile(path, MaxUserFileBytes);
    if (const FileReadFailure* f = std::get_if<FileReadFailure>(&read)) {
        if (f->missing) return std::nullopt;
        return FormatMessage(TextCis(msg::SettingsUnreadable), {path.string(), f->reason});
    }
    LoadText(std::get<std::string>(read));
    return std::nullopt;
}

void SettingsFile::LoadText(std::string_view text) {
    impl_->ini.Reset();
    // CR LF, LF and a lone CR all end a line; no CR is left inside a name or a value.
    std::string lines;
    lines.reserve(text.size());
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Unindented(text.substr(begin, end - begin));
        if (KeptLine(line)) {
            lines += line;
            lines += '\n';
        }
        begin = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    if (lines.empty()) return;
    if (impl_->ini.LoadData(lines.data(), lines.size()) < 0) impl_->ini.Reset();
}

std::string SettingsFile::Text() const {
    std::string saved;
    impl_->ini.Save(saved, false);
    // The library ends lines with LF here; the file has CR LF.
    std::string text;
    text.reserve(saved.size() + saved.size() / 16);
    for (char c : saved) {
        if (c == '\n') text += '\r';
        text += c;
    }
    return text;
}

std::optional<std::string> SettingsFile::Save(const std::filesystem::path& path) const {
    return WriteFileAtomically(path, Text());
}

bool SettingsFile::Has(std::string_view section, std::string_view key) const {
    return Value(impl_->ini, section, key) != nullptr;
}

int SettingsFile::GetInteger(std::string_view section, std::string_view key, int fallback) const {
    const char* v = Value(impl_->ini, section, key);
    if (!v) return fallback;
    return ParseSettingInteger(v).value_or(fallback);
}

bool SettingsFile::GetBool(std::string_view section, std::string_view key, bool fallback) const {
    return GetInteger(section, key, fallback ? 1 : 0) != 0;
}

std::string SettingsFile::GetString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    const char* v = Value(impl_->ini, section, key);
    return v ? std::string(v) : std::string(fallback);
}

void SettingsFile::SetInteger(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

void SettingsFile::SetBool(std::string_view section, std::string_view key, bool value) {
    SetString(section, key, value ? "1" : "0");
}

void SettingsFile::SetString(std::string_view section, std::string_view key,
                             std::string_view value) {
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    impl_->ini.SetValue(std::string(section).c_str(), std::string(key).c_str(), v.c_str());
}

int SettingsFile::GetInteger(const SettingKey& key) const {
    return GetInteger(key.section, key.key, ParseSettingInteger(key.defaultText).value_or(0));
}

bool SettingsFile::GetBool(const SettingKey& key) const {
    return GetBool(key.section, key.key, key.defaultText == "1");
}

std::string SettingsFile::GetString(const SettingKey& key) const {
    return GetString(key.section, key.key, key.defaultText);
}

void SettingsFile::SetInteger(const SettingKey& key, int value) {
    SetInteger(key.section, key.key, value);
}

void SettingsFile::SetBool(const SettingKey& key, bool value) {
    SetBool(key.section, key.key, value);
}

void SettingsFile::SetString(const SettingKey& key, std::string_view value) {
    SetString(key.section, key.key, value);
}

} // namespace tessavin
