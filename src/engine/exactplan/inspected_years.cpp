#include "exactplan/inspected_years.h"

#include <cctype>

#include "exactplan/plan_search.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin::exactplan {
namespace {

bool IsSeparator(char c) {
    return c == ',' || c == ';' || std::isspace(static_cast<unsigned char>(c));
}

// A year: an optional sign and at most nine digits, so that it never overflows an int.
bool WholeYear(const std::string& word, int& year) {
    const std::size_t digits = word[0] == '-' || word[0] == '+' ? 1 : 0;
    if (word.size() == digits || word.size() - digits > 9) return false;
    for (std::size_t i = digits; i < word.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
    year = std::stoi(word);
    return true;
}

} // namespace

std::variant<std::vector<int>, std::string> ReadInspectedYears(const std::string& text, int first,
                                                               int last, const std::string& field) {
    std::vector<int> years;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        const std::string word = text.substr(i, end - i);
        int year = 0;
        if (!WholeYear(word, year))
            return FormatMessage(TextCis(msg::NotWholeYears), {field, word});
        years.push_back(year);
        i = end;
    }
    if (auto refusal = CheckInspectedYears(years, first, last, field)) return *refusal;
    return years;
}

std::string InspectedYearsText(const std::vector<int>& years) {
    std::string text;
    for (std::size_t i = 0; i < years.size(); ++i)
        text += (i ? ", " : "") + std::to_string(years[i]);
    return text;
}

} // namespace tessavin::exactplan
