#pragma once
// The page layer of a PDF document: A4 pages with margins, a cursor that moves down the page,
// page breaks, a running header and a footer with the page number, and text in DejaVu Sans
// (measured, wrapped at word boundaries, shrunk when one word is wider than its room).
#include <memory>
#include <string>
#include <vector>

typedef struct _cairo cairo_t;

namespace tessavin::report {

// A4 in PDF points (1/72 in).
inline constexpr double PageWidth = 595.2756;
inline constexpr double PageHeight = 841.8898;
inline constexpr double Margin = 50.0;
inline constexpr double HeaderBand = 22.0; // the running header's band inside the top margin
inline constexpr double FooterBand = 22.0;

struct Colour {
    double r = 0.0, g = 0.0, b = 0.0;
};

class PdfPages {
  public:
    // Starts page 1 (only once CairoProblem() returned nothing). header: the text on top of every
    // page (the study's name); totalPages, when known (from an earlier rendering), makes the footer
    // read "n / total".
    explicit PdfPages(std::string header, int totalPages = 0);
    ~PdfPages();
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    cairo_t* cr() const { return cr_; }
    int page() const { return page_; }

    double left() const { return Margin; }
    double right() const { return PageWidth - Margin; }
    double contentWidth() const { return right() - left(); }
    double top() const { return Margin + HeaderBand; }
    double bottom() const { return PageHeight - Margin - FooterBand; }

    double y() const { return y_; }
    void moveTo(double y) { y_ = y; }
    void advance(double dy) { y_ += dy; }
    double remaining() const { return bottom() - y_; }
    // Starts a new page when `height` does not fit below the cursor; true when it did.
    bool ensure(double height);
    void newPage();

    // Text in the current font; x and the baseline in points.
    void setFont(double size, bool bold = false);
    double fontSize() const { return fontSize_; }
    double textWidth(const std::string& text) const;
    void showText(double x, double baseline, const std::string& text, Colour colour = {}) const;
    // The lines of `text` within `width` at the current font: broken at blanks and at explicit
    // line ends; a word wider than `width` alone is cut by characters, never drawn outside.
    std::vector<std::string> wrap(const std::string& text, double width) const;
    // The largest size up to the current one, at most down to minSize, at which every word of
    // text fits into width (minSize when none does).
    double fittingSize(const std::string& text, double width, double minSize) const;
    double lineHeight() const { return fontSize_ * 1.25; }

    // A wrapped paragraph at the cursor over the content width; breaks pages between lines.
    void paragraph(const std::string& text, double size, bool bold = false, double indent = 0.0);
    // A section heading, kept on one page with at least `keep` points of what follows.
    void heading(const std::string& text, double size = 13.0, double keep = 80.0);

    // Ends the document. Its bytes, or the failure's description when cairo failed.
    struct Finished {
        std::string bytes;
        std::string failure; // empty on success
    };
    Finished finish();

  private:
    void decoratePage() const;

    std::string header_;
    std::string bytes_;
    struct SurfaceDeleter {
        void operator()(void* surface) const;
    };
    std::unique_ptr<void, SurfaceDeleter> surface_;
    cairo_t* cr_ = nullptr;
    int page_ = 1;
    int totalPages_ = 0;
    double y_ = 0.0;
    double fontSize_ = 10.0;
    bool bold_ = false;
    bool finished_ = false;
    std::string failure_;
};

} // namespace tessavin::report
