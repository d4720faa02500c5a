#include "rawdata/raw_data_view.h"

#include <cstdio>

#include "common/number_format.h"
#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin {

std::string SortedValueLine(double value, int position) {
    std::string text;
    if (value < 1) {
        text = StrNaCarku(value);
    } else {
        text = FixedText(value, 5);
    }
    char index[16];
    std::snprintf(index, sizeof index, "%06d", position);
    return text + "  |  " + index;
}

std::string SortedValuesListing(const RawSample& sample, const RawReadProgress& onLine) {
    std::string listing;
    listing.reserve(static_cast<std::size_t>(sample.count) * 28);
    for (int j = 0; j < sample.count; ++j) {
        if (j > 0) listing += '\n';
        listing += SortedValueLine(sample.values[static_cast<std::size_t>(j)], j + 1);
        if (onLine) onLine(j + 1);
    }
    return listing;
}

std::vector<std::string> EditorLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::variant<std::string, Failure> TypedRawDataFile(const std::vector<std::string>& lines) {
    std::string content;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) {
            content += "0\r\n";
            continue;
        }
        std::string number = line;
        if (const auto comma = number.find(','); comma != std::string::npos) number[comma] = '.';
        if (!ParseReal(number)) {
            return ErrorBox(msg::InvalidNumber,
                            TextCis(msg::InvalidNumber) + "\r\n\r\n\t" + TextCis(msg::LineLabel) +
                                std::to_string(i + 1) + "\r\n\t" + TextCis(msg::ElementLabel) +
                                line,
                            "Memo1");
        }
        content += line + "\r\n";
    }
    return content;
}

} // namespace tessavin
