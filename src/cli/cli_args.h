#pragma once
// Options of the batch program: "--name value" pairs and "--flag" switches.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace tessavin::cli {

class Args {
  public:
    // flags: option names that take no value. Throws std::invalid_argument on a malformed line.
    Args(const std::vector<std::string>& words, const std::set<std::string>& valued,
         const std::set<std::string>& flags);
    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;

  private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

// --lang en|cs sets the language of the messages; false for any other value.
bool ApplyLanguageOption(const Args& args);

// The words after a calculation command (run, montecarlo): the input file first, then the
// options `valued`, --lang, the switches `flags` and the switches --json and --csv, which exclude
// each other. --lang is applied. Throws std::invalid_argument with the refusal's text.
Args CalculationCommandArgs(const std::vector<std::string>& words, std::set<std::string> valued,
                            std::set<std::string> flags = {});

// --threads N when given (1 .. 256), else `fallback`. Throws std::invalid_argument.
int ThreadsOption(const Args& args, int fallback);

struct CalculationCommand {
    Args args;
    int threads = 0; // 0 when --threads is not given: the calculation chooses
};

// CalculationCommandArgs with --threads accepted and checked; the refusal's text when the words
// are malformed.
std::variant<CalculationCommand, std::string>
ReadCalculationCommand(const std::vector<std::string>& words, std::set<std::string> valued,
                       std::set<std::string> flags = {});

} // namespace tessavin::cli
