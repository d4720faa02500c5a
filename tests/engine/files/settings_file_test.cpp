#include "files/settings_file.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "windows/window_registry.h"

namespace tessavin {
namespace {

std::filesystem::path TempFile(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tessavin-settings-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

constexpr std::string_view S = "--  Position  --";

TEST(SettingsFile, IntegersAndBooleansReadAsTheFileWritesThemOrTheDefault) {
    const struct {
        const char* value;
        int integer; // with default -7
        bool flag;   // with default true
    } cases[] = {
        {"31", 31, true},         {"0x1F", 31, true},
        {"0X1f", 31, true},       {"-12", -12, true},
        {"+5", 5, true},          {"0", 0, false},
        {"-0x10", -16, true},     {"2147483647", 2147483647, true},
        {"2147483648", -7, true}, // outside the int range
        {"0x", -7, true},         {"1E3", -7, true},
        {"12abc", -7, true},      {"", -7, true},
        {"yes", -7, true},        {"--1", -7, true},
        {"0x-1", -7, true},       {"0x+1", -7, true},
        {"3.0", -7, true},
    };
    for (const auto& c : cases) {
        SettingsFile f;
        f.LoadText(std::string("[") + std::string(S) + "]\r\nkey=" + c.value + "\r\n");
        EXPECT_EQ(f.GetInteger(S, "key", -7), c.integer) << c.value;
        EXPECT_EQ(f.GetBool(S, "key", true), c.flag) << c.value;
        EXPECT_EQ(f.GetString(S, "key", "none"), c.value) << c.value;
    }
}

TEST(SettingsFile, NamesMatchWithoutCaseAndMissingKeysGiveDefaults) {
    SettingsFile f;
    // Letter case of ASCII letters; the Czech letters are compared as they are.
    f.LoadText("[--  setting  --]\nBAREVNé zvýraznění ano=0\n");
    EXPECT_FALSE(f.GetBool("--  Setting  --", "barevné zvýraznění Ano", true));
    EXPECT_TRUE(f.GetBool("--  Setting  --", "Barevné zvýraznění Ne", true));
    EXPECT_EQ(f.GetString("--  Component  --", "Tessavin-Form1EdEps", "1E-8"), "1E-8");
    EXPECT_FALSE(f.Has("--  Component  --", "Tessavin-Form1EdEps"));

    // A missing file is empty: every key reads its default.
    const auto missing = TempFile("missing.INI");
    std::filesystem::remove(missing);
    SettingsFile g;
    EXPECT_FALSE(g.Load(missing).has_value());
    for (const SettingKey& k : MainWindowSettingKeys()) {
        std::string read;
        switch (k.type) {
        case SettingType::Integer:
            read = std::to_string(g.GetInteger(k));
            break;
        case SettingType::Boolean:
            read = g.GetBool(k) ? "1" : "0";
            break;
        case SettingType::String:
            read = g.GetString(k);
            break;
        }
        EXPECT_EQ(read, k.defaultText) << k.key;
    }
}

TEST(SettingsFile, SaveKeepsFirstWrittenOrderAndWritesCrLf) {
    const auto path = TempFile("order.INI");
    SettingsFile f;
    f.SetInteger("--  Position  --", "Tessavin-Form1left", 10);
    f.SetString("--  Component  --", "Tessavin-Form1EdEps", "1E-9");
    f.SetInteger("--  Position  --", "Tessavin-Form1top", -3);
    f.SetBool("--  Setting  --", "Barevné zvýraznění Ano", false);
    f.SetInteger("--  POSITION  --", "TESSAVIN-FORM1LEFT", 11); // same key, another case
    f.SetString("--  Component  --", "Tessavin-Form1EdRokT", "1\r\n[x]");
    ASSERT_FALSE(f.Save(path).has_value());
    EXPECT_EQ(ReadAll(path), "[--  Position  --]\r\n"
                             "Tessavin-Form1left=11\r\n"
                             "Tessavin-Form1top=-3\r\n"
                             "\r\n"
                             "\r\n"
                             "[--  Component  --]\r\n"
                             "Tessavin-Form1EdEps=1E-9\r\n"
                             "Tessavin-Form1EdRokT=1  [x]\r\n"
                             "\r\n"
                             "\r\n"
                             "[--  Setting  --]\r\n"
                             "Barevné zvýraznění Ano=0\r\n");

    // Reading it back and adding a key keeps the order; nothing else of the file is lost.
    SettingsFile g;
    ASSERT_FALSE(g.Load(path).has_value());
    g.SetInteger("--  Position  --", "Histogram-Form2.left", 5);
    ASSERT_FALSE(g.Save(path).has_value());
    SettingsFile h;
    h.Load(path);
    EXPECT_EQ(h.GetInteger("--  Position  --", "Tessavin-Form1left", 0), 11);
    EXPECT_EQ(h.GetInteger("--  Position  --", "Histogram-Form2.left", 0), 5);
    EXPECT_EQ(h.GetString("--  Component  --", "Tessavin-Form1EdEps", ""), "1E-9");
    const std::string text = ReadAll(path);
    EXPECT_LT(text.find("Tessavin-Form1top"), text.find("Histogram-Form2.left"));
    EXPECT_LT(text.find("Histogram-Form2.left"), text.find("[--  Component  --]"));
}

TEST(SettingsFile, ListingRowsSplitEveryLineAtItsFirstEquals) {
    const auto rows = SettingsListingRows("[--  Position  --]\r\na=1\r\nb=x=y\n\nno equals\n=v");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"[--  Position  --]", ""}, {"a", "1"}, {"b", "x=y"}, {"", ""},
        {"no equals", ""},          {"", "v"}};
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(SettingsListingRows("").empty());
}

TEST(SettingsKeys, TablesNameEveryKeyOnceWithAUsableDefault) {
    std::set<std::string> seen;
    auto check = [&](const std::vector<SettingKey>& keys) {
        for (const SettingKey& k : keys) {
            EXPECT_TRUE(seen.insert(std::string(k.key)).second) << k.key;
            if (k.type != SettingType::String && !k.defaultText.empty()) {
                EXPECT_TRUE(ParseSettingInteger(k.defaultText).has_value()) << k.key;
            }
        }
    };
    // Every window that keeps anything keeps its place and size first.
    for (const WindowEntry& w : Windows()) {
        if (w.settingKeys.empty()) continue;
        ASSERT_GE(w.settingKeys.size(), 4u) << w.objectName;
        for (const char* target : {"left", "top", "width", "height"})
            EXPECT_NE(FindSettingKey(w.settingKeys, target), nullptr) << w.objectName;
        check(w.settingKeys);
    }
    EXPECT_TRUE(WindowSettingKeys(WindowId::Splash).empty());
    EXPECT_EQ(MainWindowSettingKeys().size(), 28u);
    const SettingKey* height = FindSettingKey(MainWindowSettingKeys(), "height");
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->key, "Tessavin-Form1height");
    EXPECT_EQ(FindSettingKey(WindowSettingKeys(WindowId::Integration), "EdTol0")->key,
              "Nastaveni*Form9.EdTol1");
}

// Whatever the file holds, loading and reading never fail, and what is read saves and loads
// back the same.
TEST(SettingsFile, HostileFilesNeverBreakTheReader) {
    std::vector<std::string> inputs = {
        std::string(1 << 16, 'x'),
        "[" + std::string(5000, 's') + "\nk=" + std::string(100000, 'v'),
        "[--  Position  --]\nTessavin-Form1left=12", // no final newline
        std::string("[a]\nk=1\0\nj=2\n", 13),
        "\xEF\xBB\xBF[a]\nk=\xFF\xFE\n",
        "[a\n=\n==\n[]\n[ ]\nk\n ; c\n# c\nk=<<<END\n",
        "\r\r\r\n\n[a]\rk=1\r",
    };
    // The seeds of the settings fuzz target, the inputs of its past findings among them.
    for (const auto& seed : std::filesystem::directory_iterator(
             std::filesystem::path(TESSAVIN_TEST_DATA) / ".." / "fuzz" / "settings_file"))
        inputs.push_back(ReadAll(seed.path()));
    std::mt19937 rng(4321);
    const std::string valid =
        "[--  Position  --]\r\nTessavin-Form1left=12\r\nTessavin-Form1width=0x320\r\n\r\n"
        "[--  Component  --]\r\nTessavin-Form1EdEps=1E-8\r\nTessavin-Form1 jazyk cesky=1\r\n";
    for (int i = 0; i < 300; ++i) {
        std::string random(rng() % 200, '\0');
        for (char& c : random)
            c = static_cast<char>(rng());
        inputs.push_back(random);
        std::string mutated = valid;
        for (int k = 0; k < 3; ++k)
            mutated[rng() % mutated.size()] = static_cast<char>(rng());
        inputs.push_back(mutated.substr(0, rng() % (mutated.size() + 1)));
    }
    const auto path = TempFile("hostile.INI");
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string& text = inputs[i];
        SettingsFile f;
        f.LoadText(text);
        for (const SettingKey& k : MainWindowSettingKeys()) {
            f.GetInteger(k);
            f.GetString(k);
        }
        const int width = f.GetInteger("--  Position  --", "Tessavin-Form1width", 800);
        SettingsFile g;
        g.LoadText(f.Text());
        EXPECT_EQ(g.GetInteger("--  Position  --", "Tessavin-Form1width", 800), width) << i;
        EXPECT_TRUE(g.Text() == f.Text()) << "input " << i << " changes when saved again";
    }
    // The same through a real file.
    std::ofstream(path, std::ios::binary) << inputs[1];
    SettingsFile f;
    EXPECT_FALSE(f.Load(path).has_value());
    EXPECT_FALSE(f.Save(path).has_value());
}

} // namespace
} // namespace tessavin
