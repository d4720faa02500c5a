#include "localisation/caption_table.h"

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

} // namespace tessavin
