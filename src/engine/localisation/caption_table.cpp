#include "localisation/caption_table.h"

#include <charconv>

#include "localisation/messages.h"
#include "windows/window_registry.h"

namespace tessavin {

const std::vector<CaptionAssignment>& CaptionTable(WindowId window) {
    return WindowOf(window).captions;
}

const CaptionAssignment* FindCaption(WindowId window, std::string_view control, CaptionKind kind,
                                     int index) {
    for (const CaptionAssignment& a : CaptionTable(window))
        if (a.kind == kind && control == a.control &&
            (kind != CaptionKind::ListItem || a.index == index))
            return &a;
    return nullptr;
}

std::string ComposeText(const TableText& text) {
    std::string s = text.lead;
    if (text.message) s += TextCis(text.message);
    return s + text.text;
}

std::string ComposeText(const CaptionAssignment& entry, Language language) {
    return ComposeText(language == Language::Czech ? entry.czech : entry.english);
}

namespace {

// The texts of one piece of a composed text; see ComposedPieceTexts.
std::vector<std::string> PieceTexts(WindowId window, std::string_view piece) {
    std::vector<std::string> texts;
    if (piece.starts_with('#')) {
        int message = 0;
        const auto [end, error] =
            std::from_chars(piece.data() + 1, piece.data() + piece.size(), message);
        if (error == std::errc() && end == piece.data() + piece.size() && message > 0)
            texts.push_back(TextCis(message));
        return texts;
    }
    if (const std::size_t dot = piece.find('.'); dot != std::string_view::npos) {
        const WindowEntry* other = FindWindow(piece.substr(0, dot));
        if (!other) return texts;
        window = other->id;
        piece = piece.substr(dot + 1);
    }
    for (const CaptionAssignment& a : CaptionTable(window)) {
        if (piece != a.control) continue;
        const std::string text = ComposeText(a, CurrentLanguage());
        switch (a.kind) {
        case CaptionKind::Caption:
        case CaptionKind::TextPiece:
        case CaptionKind::ListItem:
            texts.push_back(text);
            break;
        case CaptionKind::ListRefill:
            for (std::size_t from = 0, to = 0; to != std::string::npos; from = to + 1) {
                to = text.find('\n', from);
                texts.push_back(text.substr(from, to - from));
            }
            break;
        default:
            break;
        }
    }
    return texts;
}

} // namespace

std::vector<std::vector<std::string>> ComposedPieceTexts(WindowId window,
                                                         const CaptionAssignment& composed) {
    std::vector<std::vector<std::string>> pieces;
    std::string_view names = composed.english.text;
    while (!names.empty()) {
        const std::size_t space = names.find(' ');
        if (space != 0) pieces.push_back(PieceTexts(window, names.substr(0, space)));
        names = space == std::string_view::npos ? std::string_view() : names.substr(space + 1);
    }
    return pieces;
}

} // namespace tessavin
