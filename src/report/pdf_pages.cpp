#include "pdf_pages.h"

#include "cairo_calls.h"

#include <algorithm>

namespace tessavin::report {
namespace {

const char* const kFamily = "DejaVu Sans";

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// The length of the UTF-8 sequence that starts with byte c (1 for a stray continuation byte).
std::size_t SequenceLength(unsigned char c) {
    if (c >= 0xF0) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC0) return 2;
    return 1;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

} // namespace

void PdfPages::SurfaceDeleter::operator()(void* surface) const {
    Cairo().surface_destroy(static_cast<cairo_surface_t*>(surface));
}

PdfPages::PdfPages(std::string header, int totalPages)
    : header_(std::move(header)), totalPages_(totalPages) {
    surface_.reset(Cairo().pdf_surface_create_for_stream(Append, &bytes_, PageWidth, PageHeight));
    auto* surface = static_cast<cairo_surface_t*>(surface_.get());
    Cairo().pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Tessavin");
    Cairo().pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, header_.c_str());
    cr_ = Cairo().create(surface);
    setFont(10.0);
    y_ = top();
    decoratePage();
}

PdfPages::~PdfPages() {
    if (cr_) Cairo().destroy(cr_);
}

void PdfPages::decoratePage() const {
    Cairo().save(cr_);
    auto* self = const_cast<PdfPages*>(this);
    const double size = fontSize_;
    const bool bold = bold_;
    self->setFont(8.0);
    const Colour grey{0.35, 0.35, 0.35};
    std::string head = header_;
    while (!head.empty() && textWidth(head) > contentWidth()) {
        std::size_t cut = head.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(head[cut]) & 0xC0) == 0x80)
            --cut;
        head.resize(cut);
    }
    showText(left(), Margin + 9.0, head, grey);
    Cairo().set_source_rgb(cr_, grey.r, grey.g, grey.b);
    Cairo().set_line_width(cr_, 0.5);
    Cairo().move_to(cr_, left(), Margin + 13.0);
    Cairo().line_to(cr_, right(), Margin + 13.0);
    Cairo().move_to(cr_, left(), PageHeight - Margin - 12.0);
    Cairo().line_to(cr_, right(), PageHeight - Margin - 12.0);
    Cairo().stroke(cr_);
    const std::string number =
        std::to_string(page_) + (totalPages_ > 0 ? " / " + std::to_string(totalPages_) : "");
    showText(right() - textWidth(number), PageHeight - Margin, number, grey);
    self->setFont(size, bold);
    Cairo().restore(cr_);
}

bool PdfPages::ensure(double height) {
    if (y_ + height <= bottom() || y_ <= top()) return false;
    newPage();
    return true;
}

void PdfPages::newPage() {
    Cairo().show_page(cr_);
    ++page_;
    y_ = top();
    decoratePage();
}

void PdfPages::setFont(double size, bool bold) {
    fontSize_ = size;
    bold_ = bold;
    Cairo().select_font_face(cr_, kFamily, CAIRO_FONT_SLANT_NORMAL,
                             bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    Cairo().set_font_size(cr_, size);
}

double PdfPages::textWidth(const std::string& text) const {
    cairo_text_extents_t e;
    Cairo().text_extents(cr_, text.c_str(), &e);
    return e.x_advance;
}

void PdfPages::showText(double x, double baseline, const std::string& text, Colour c) const {
    Cairo().set_source_rgb(cr_, c.r, c.g, c.b);
    Cairo().move_to(cr_, x, baseline);
    Cairo().show_text(cr_, text.c_str());
}

std::vector<std::string> PdfPages::wrap(const std::string& text, double width) const {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find('\n', begin);
        const std::string paragraph =
            text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        std::string line;
        for (std::string word : Words(paragraph)) {
            const std::string joined = line.empty() ? word : line + " " + word;
            if (textWidth(joined) <= width) {
                line = joined;
                continue;
            }
            if (!line.empty()) lines.push_back(line);
            line.clear();
            // A word too wide alone: cut it at character boundaries.
            while (textWidth(word) > width) {
                std::size_t cut = 0, fits = 0;
                while (cut < word.size()) {
                    const std::size_t next =
                        cut + SequenceLength(static_cast<unsigned char>(word[cut]));
                    if (textWidth(word.substr(0, next)) > width) break;
                    fits = cut = next;
                }
                if (fits == 0) fits = SequenceLength(static_cast<unsigned char>(word[0]));
                fits = std::min(fits, word.size());
                lines.push_back(word.substr(0, fits));
                word.erase(0, fits);
            }
            line = word;
        }
        lines.push_back(line);
        if (end == std::string::npos) break;
        begin = end + 1;
    }
    return lines;
}

double PdfPages::fittingSize(const std::string& text, double width, double minSize) const {
    const double size = fontSize_;
    double widest = 0.0;
    for (const std::string& word : Words(text))
        widest = std::max(widest, textWidth(word));
    double fitting = size;
    // A little under the exact ratio: glyph advances do not scale exactly linearly.
    if (widest > width) fitting = std::max(minSize, size * 0.97 * width / widest);
    return fitting;
}

void PdfPages::paragraph(const std::string& text, double size, bool bold, double indent) {
    setFont(size, bold);
    for (const std::string& line : wrap(text, contentWidth() - indent)) {
        ensure(lineHeight());
        showText(left() + indent, y_ + size, line);
        y_ += lineHeight();
    }
}

void PdfPages::heading(const std::string& text, double size, double keep) {
    ensure(size * 2.0 + keep);
    y_ += size * 0.6;
    paragraph(text, size, true);
    y_ += size * 0.3;
    setFont(10.0);
}

PdfPages::Finished PdfPages::finish() {
    if (!finished_) {
        finished_ = true;
        Cairo().show_page(cr_);
        const cairo_status_t drawn = Cairo().status(cr_);
        Cairo().destroy(cr_);
        cr_ = nullptr;
        auto* surface = static_cast<cairo_surface_t*>(surface_.get());
        Cairo().surface_finish(surface);
        cairo_status_t status = Cairo().surface_status(surface);
        if (drawn != CAIRO_STATUS_SUCCESS) status = drawn;
        if (status != CAIRO_STATUS_SUCCESS)
            failure_ = std::string("PDF: ") + Cairo().status_to_string(status);
    }
    return {failure_.empty() ? bytes_ : std::string(), failure_};
}

} // namespace tessavin::report
