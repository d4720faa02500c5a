#pragma once
// One line of a batch's studies file: a run input plus an optional "id", read into the id, the
// canonical input and its fingerprint.
#include <string>

#include <nlohmann/json.hpp>

namespace tessavin::cli {

// Blank lines and lines whose first non-blank character is '#' hold no study.
bool HoldsStudy(const std::string& text);

struct StudyLine {
    long line = 0;         // physical line number in the file, from 1
    std::string id;        // the "id" member, or the line number as text
    nlohmann::json input;  // the line's object without "id"; null when the line is refused
    std::string canonical; // input as compact JSON with sorted keys; empty when refused
    std::string sha256;    // SHA-256 of `canonical`; empty when refused
    std::string error;     // why the line gives no input
    std::string field;     // JSON Pointer of the member the error concerns; empty for none
};

// Reads a line that holds a study. A line that is not a JSON object, or whose "id" is not a
// text, is refused with a message; it never throws.
StudyLine ReadStudyLine(const std::string& text, long line);

} // namespace tessavin::cli
