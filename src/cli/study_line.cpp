#include "study_line.h"

#include "common/sha256.h"

namespace tessavin::cli {

bool HoldsStudy(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    return first != std::string::npos && text[first] != '#';
}

StudyLine ReadStudyLine(const std::string& text, long line) {
    StudyLine s;
    s.line = line;
    s.id = std::to_string(line);
    nlohmann::json j;
    try {
        j = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        const std::size_t column = e.byte > 0 ? e.byte : 1;
        s.error = "not valid JSON at column " + std::to_string(column);
        return s;
    } catch (const nlohmann::json::exception& e) { // a number beyond the range of a double
        s.error = std::string("not valid JSON: ") + e.what();
        return s;
    }
    if (!j.is_object()) {
        s.error = "the line must be a JSON object";
        return s;
    }
    if (const auto id = j.find("id"); id != j.end()) {
        if (!id->is_string()) {
            s.error = "\"id\" must be a text";
            s.field = "/id";
            return s;
        }
        s.id = id->get<std::string>();
        j.erase(id);
    }
    // nlohmann::json keeps its keys sorted: the compact dump is canonical. The parser has already
    // refused text that is not UTF-8; the replacing handler only keeps the dump from throwing.
    s.canonical = j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    s.sha256 = Sha256Hex(s.canonical);
    s.input = std::move(j);
    return s;
}

} // namespace tessavin::cli
