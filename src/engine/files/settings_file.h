#pragma once
// The settings file: classic INI text, sections and keys matched without regard to case, kept in
// the order they were first written, UTF-8, CR LF line ends when written.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/settings_keys.h"

namespace tessavin {

class SettingsFile {
  public:
    SettingsFile();
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    // Replaces the content by the file's. A missing file is an empty one; a file that exists but
    // cannot be read also leaves the content empty and returns the reason.
    std::optional<std::string> Load(const std::filesystem::path& path);
    void LoadText(std::string_view text);
    // Writes the content through a temporary file renamed over path; the reason on failure.
    std::optional<std::string> Save(const std::filesystem::path& path) const;
    std::string Text() const;

    bool Has(std::string_view section, std::string_view key) const;

    // A missing key or a value that is not an integer (decimal, or hexadecimal after "0x")
    // within the int range gives the default. Booleans are integers; non-zero is true.
    int GetInteger(std::string_view section, std::string_view key, int fallback) const;
    bool GetBool(std::string_view section, std::string_view key, bool fallback) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;

    void SetInteger(std::string_view section, std::string_view key, int value);
    void SetBool(std::string_view section, std::string_view key, bool value); // "1" / "0"
    // Line breaks would end the value; they are written as blanks.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    // The same through a key of the tables, with the table's default.
    int GetInteger(const SettingKey& key) const;
    bool GetBool(const SettingKey& key) const;
    std::string GetString(const SettingKey& key) const;
    void SetInteger(const SettingKey& key, int value);
    void SetBool(const SettingKey& key, bool value);
    void SetString(const SettingKey& key, std::string_view value);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// An integer as the settings file reads it: optional sign, decimal digits or "0x" and hexadecimal
// digits, blanks around allowed, within the int range.
std::optional<int> ParseSettingInteger(std::string_view text);

// The rows of the settings listing: every line of the text, split at its first "=" into key and
// value; a line without "=" is a key with an empty value. LF and CR LF line ends.
std::vector<std::pair<std::string, std::string>> SettingsListingRows(std::string_view text);

} // namespace tessavin
