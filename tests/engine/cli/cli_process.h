#pragma once
// The batch program run as a user would run it: a real process, real files.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tessavin::test {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

// A folder of its own for the running test.
inline std::filesystem::path TempDir() {
    auto dir = std::filesystem::temp_directory_path() /
               ("tessavin-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir;
}

// A file of the running test's folder with the given bytes.
inline std::filesystem::path Write(const std::string& name, const std::string& text) {
    const auto file = TempDir() / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline CliRun RunCli(const std::string& args) {
    const std::filesystem::path err = TempDir() / "stderr.txt";
    const std::string command = std::string(TESSAVIN_CLI_PATH) + " " + args + " 2>" + err.string();
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (pipe && std::fgets(buf.data(), buf.size(), pipe))
        out += buf.data();
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadText(err)};
}

// The program refuses the line: exit code 2, a message on stderr and nothing on stdout.
inline void ExpectRefused(const std::string& args) {
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_FALSE(r.err.empty()) << args;
    EXPECT_TRUE(r.out.empty()) << args;
}

} // namespace tessavin::test
