#include "localisation/messages.h"

#include <algorithm>

#include "localisation/language.h"
#include "localisation/message_table.h"

namespace tessavin {

std::string TextCis(int number) {
    const bool czech = CurrentLanguage() == Language::Czech;
    const MessageEntry* begin = kMessageTable;
    const MessageEntry* end = kMessageTable + kMessageTableSize;
    const MessageEntry* e = std::lower_bound(
        begin, end, number, [](const MessageEntry& m, int n) { return m.number < n; });
    if (e != end && e->number == number) return czech ? e->czech : e->english;
    return "TextCis[" + std::to_string(number) + (czech ? "] neexistuje !" : "] no exist !");
}

std::string RawDataHistogramSubtitle() {
    return CurrentLanguage() == Language::Czech ? "Histogram prvotních dat" : "Raw datas histogram";
}

std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(format.size() + 64);
    auto arg = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' &&
            arg != args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string FormatMessage(std::string_view format, std::string_view arg) {
    return FormatMessage(format, {arg});
}

} // namespace tessavin
