#pragma once
// The poppler command-line tools on a written PDF: what a reader of the report gets.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace tessavin::test {

// Standard output of a shell command; exitCode its exit status.
inline std::string Capture(const std::string& command, int* exitCode = nullptr) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    std::string out;
    char buf[4096];
    std::size_t n;
    while (pipe && (n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int status = pipe ? pclose(pipe) : -1;
    if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

// Runs of blanks and line ends as one blank: pdftotext spaces words as the layout does.
inline std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    return out;
}

inline std::string Quoted(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

// pdftotext of one page (0: all), in reading layout or (raw) in the order it was drawn.
inline std::string PdfText(const std::filesystem::path& pdf, int page = 0, bool raw = false) {
    std::string range =
        page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : std::string();
    return Capture(std::string("pdftotext ") + (raw ? "-raw" : "-layout") + " -enc UTF-8" + range +
                   " " + Quoted(pdf) + " -");
}

// The horizontal extent of every word, as pdftotext -bbox places it.
struct WordBox {
    double xMin, xMax;
};
inline std::vector<WordBox> WordBoxes(const std::filesystem::path& pdf) {
    const std::string html = Capture("pdftotext -bbox " + Quoted(pdf) + " -");
    std::vector<WordBox> boxes;
    const std::regex word(R"re(<word xMin="([-0-9.]+)" yMin="[-0-9.]+" xMax="([-0-9.]+)")re");
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        boxes.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
    return boxes;
}

inline int PdfPages(const std::filesystem::path& pdf) {
    const std::string info = Capture("pdfinfo " + Quoted(pdf));
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

} // namespace tessavin::test
