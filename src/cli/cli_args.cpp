#include "cli_args.h"

#include <stdexcept>

#include "common/number_parse.h"
#include "localisation/language.h"

namespace tessavin::cli {

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& valued,
           const std::set<std::string>& flags) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.rfind("--", 0) != 0) throw std::invalid_argument("unexpected argument '" + w + "'");
        const std::string name = w.substr(2);
        if (flags.count(name)) {
            flags_.insert(name);
        } else if (valued.count(name)) {
            if (i + 1 >= words.size())
                throw std::invalid_argument("option " + w + " needs a value");
            if (values_.count(name)) throw std::invalid_argument("option " + w + " given twice");
            values_[name] = words[++i];
        } else {
            throw std::invalid_argument("unknown option " + w);
        }
    }
}

bool Args::has(const std::string& name) const {
    return flags_.count(name) || values_.count(name);
}

std::optional<std::string> Args::value(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool ApplyLanguageOption(const Args& args) {
    const auto lang = args.value("lang");
    if (!lang || *lang == "en") {
        if (lang) SetLanguage(Language::English);
        return true;
    }
    if (*lang != "cs") return false;
    SetLanguage(Language::Czech);
    return true;
}

Args CalculationCommandArgs(const std::vector<std::string>& words, std::set<std::string> valued,
                            std::set<std::string> flags) {
    if (words.empty() || words[0].rfind("--", 0) == 0)
        throw std::invalid_argument("an input file is required");
    valued.insert("lang");
    flags.insert({"json", "csv"});
    Args args(std::vector<std::string>(words.begin() + 1, words.end()), valued, flags);
    if (args.has("json") && args.has("csv"))
        throw std::invalid_argument("--json and --csv exclude each other");
    if (!ApplyLanguageOption(args)) throw std::invalid_argument("--lang must be en or cs");
    return args;
}

int ThreadsOption(const Args& args, int fallback) {
    const auto t = args.value("threads");
    if (!t) return fallback;
    const auto n = ParseWhole(*t);
    if (!n || *n < 1 || *n > 256)
        throw std::invalid_argument("--threads must be a whole number 1 .. 256");
    return static_cast<int>(*n);
}

std::variant<CalculationCommand, std::string>
ReadCalculationCommand(const std::vector<std::string>& words, std::set<std::string> valued,
                       std::set<std::string> flags) {
    try {
        valued.insert("threads");
        Args args = CalculationCommandArgs(words, std::move(valued), std::move(flags));
        const int threads = ThreadsOption(args, 0);
        return CalculationCommand{std::move(args), threads};
    } catch (const std::invalid_argument& e) {
        return std::string(e.what());
    }
}

} // namespace tessavin::cli
