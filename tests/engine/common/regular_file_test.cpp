// Every reader of a user's file refuses at once what has no end or is too large, and a save
// clears the temporary files that killed saves left behind.
#include "common/regular_file.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <variant>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/atomic_file.h"
#include "files/project_file.h"
#include "files/settings_file.h"
#include "rawdata/raw_sample.h"

namespace tessavin {
namespace {

namespace fs = std::filesystem;

class SpecialFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tessavin-regular-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Paths that name no regular file, each under a name a reader would accept.
    std::vector<fs::path> SpecialPaths() {
        const fs::path fifo = folder / "fifo.Vys";
        EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        fs::create_directory(folder / "folder.INI");
        fs::create_symlink("/dev/zero", folder / "zero.json");
        fs::create_symlink(fifo, folder / "to-fifo.txt");
        return {folder / "folder.INI", fifo, "/dev/zero", folder / "zero.json",
                folder / "to-fifo.txt"};
    }
    // A sparse file one byte over the bound: large on paper, cheap on disk.
    fs::path Oversized() {
        const fs::path big = folder / "big.Vys";
        std::ofstream(big) << "x";
        fs::resize_file(big, MaxUserFileBytes + 1);
        return big;
    }

    fs::path folder;
};

TEST_F(SpecialFilesTest, EveryReaderRefusesWhatIsNotARegularFileOrIsTooLarge) {
    // Each reader: whether it refused, and the text it refused with.
    const std::vector<std::pair<const char*, std::function<std::string(const fs::path&)>>> readers =
        {
            {"ReadRegularFile",
             [](const fs::path& p) {
                 auto r = ReadRegularFile(p, MaxUserFileBytes);
                 auto* f = std::get_if<FileReadFailure>(&r);
                 return f ? f->reason : std::string();
             }},
            {"ReadProjectFile",
             [](const fs::path& p) {
                 auto r = ReadProjectFile(p);
                 auto* f = std::get_if<Failure>(&r);
                 return f ? f->text : std::string();
             }},
            {"ReadRawDataFile",
             [](const fs::path& p) {
                 auto r = ReadRawDataFile(p);
                 auto* f = std::get_if<Failure>(&r);
                 return f ? f->text : std::string();
             }},
            {"SettingsFile::Load",
             [](const fs::path& p) {
                 SettingsFile s;
                 return s.Load(p).value_or(std::string());
             }},
        };
    std::vector<std::pair<fs::path, std::string>> cases;
    for (const fs::path& p : SpecialPaths())
        cases.emplace_back(p, "not a regular file");
    cases.emplace_back(Oversized(), "larger than 64 MB");
    for (const auto& [name, read] : readers)
        for (const auto& [path, reason] : cases) {
            const std::string text = read(path);
            EXPECT_NE(text.find(reason), std::string::npos) << name << " " << path << ": " << text;
        }

    // A missing settings file is an empty one; any other missing file is refused.
    SettingsFile settings;
    EXPECT_FALSE(settings.Load(folder / "none.INI").has_value());
    auto missing = ReadRegularFile(folder / "none", 10);
    ASSERT_TRUE(std::holds_alternative<FileReadFailure>(missing));
    EXPECT_TRUE(std::get<FileReadFailure>(missing).missing);
}

TEST_F(SpecialFilesTest, RegularFileAtTheBoundIsReadWhole) {
    const fs::path file = folder / "exact.txt";
    std::ofstream(file, std::ios::binary) << std::string(1000, 'a');
    auto whole = ReadRegularFile(file, 1000);
    ASSERT_TRUE(std::holds_alternative<std::string>(whole));
    EXPECT_EQ(std::get<std::string>(whole), std::string(1000, 'a'));
    EXPECT_TRUE(std::holds_alternative<FileReadFailure>(ReadRegularFile(file, 999)));
}

TEST_F(SpecialFilesTest, SaveRemovesTemporariesOfEndedProcessesOnly) {
    // A pid that surely ran and ended: a child that has been waited for.
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string ended = std::to_string(child);
    const std::string own = std::to_string(::getpid());

    const std::vector<std::string> stale = {".tessavin-" + ended + "-0.tmp",
                                            ".tessavin-" + ended + "-7.xlsx.tmp"};
    const std::vector<std::string> kept = {".tessavin-" + own +
                                               "-99.tmp", // a save of this process may be under way
                                           ".tessavin-1-0.tmp", // pid 1 always runs
                                           ".tessavin-" + ended + "-0.tmp.bak",
                                           "tessavin-" + ended + "-0.tmp",
                                           ".tessavin-" + ended + ".tmp",
                                           "user.Vys"};
    for (const auto& names : {stale, kept})
        for (const std::string& name : names)
            std::ofstream(folder / name) << "x";

    ASSERT_FALSE(WriteFileAtomically(folder / "saved.Vys", "new").has_value());
    for (const std::string& name : stale)
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_TRUE(fs::exists(folder / "saved.Vys"));

    EXPECT_EQ(TemporaryOwner(".tessavin-42-3.tmp"), 42);
    EXPECT_EQ(TemporaryOwner(".tessavin-42-3.xlsx.tmp"), 42);
    for (const char* other : {".tessavin--1-3.tmp", ".tessavin-0-3.tmp", ".tessavin-42-.tmp",
                              ".tessavin-42-3.TMP", ".tessavin-x-3.tmp"})
        EXPECT_FALSE(TemporaryOwner(other).has_value()) << other;
}

} // namespace
} // namespace tessavin
