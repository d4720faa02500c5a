#include "localisation/captions.h"

#include "localisation/caption_table.h"
#include "localisation/language.h"

namespace tessavin {
namespace {

constexpr WindowId MainWindowTable = WindowId::Main;
constexpr WindowId IntegrationWindowTable = WindowId::Integration;

// The text of an entry of a caption table in the active language; "" when there is none.
std::string TextOf(WindowId window, const char* control, CaptionKind kind = CaptionKind::Caption,
                   int index = 0) {
    const CaptionAssignment* entry = FindCaption(window, control, kind, index);
    return entry ? ComposeText(*entry, CurrentLanguage()) : std::string();
}

} // namespace

std::string CaptionText(Caption caption) {
    constexpr CaptionKind Piece = CaptionKind::TextPiece;
    switch (caption) {
    case Caption::Label19:
        return TextOf(MainWindowTable, "Label19");
    case Caption::Label20:
        return TextOf(MainWindowTable, "Label20");
    case Caption::Label25:
        return TextOf(MainWindowTable, "Label25");
    case Caption::Label26:
        return TextOf(MainWindowTable, "Label26");
    case Caption::Label27:
        return TextOf(MainWindowTable, "Label27");
    case Caption::Label39:
        return TextOf(MainWindowTable, "Label39");
    case Caption::Label23:
        return TextOf(MainWindowTable, "Label23", Piece);
    case Caption::Label31:
        return TextOf(MainWindowTable, "Label31", Piece);
    case Caption::IntegrationLabel1:
        return TextOf(IntegrationWindowTable, "Label1");
    case Caption::IntegrationLabel4:
        return TextOf(IntegrationWindowTable, "Label4");
    case Caption::IntegrationLabel2:
        return TextOf(IntegrationWindowTable, "Label2");
    case Caption::IntegrationLabel3:
        return TextOf(IntegrationWindowTable, "Label3");
    }
    return {};
}

std::string TextPiece(WindowId window, const char* name) {
    return TextOf(window, name, CaptionKind::TextPiece);
}

std::string CrackOriginText(int origin) {
    return TextOf(MainWindowTable, "CBSireni", CaptionKind::ListItem, origin == 1 ? 1 : 0);
}

std::string IntegrationMethodText(int method) {
    return TextOf(IntegrationWindowTable, "CBMetoda", CaptionKind::ListItem, method);
}

std::string ConventionItemText(int convention) {
    return TextOf(IntegrationWindowTable, "CBKonvence", CaptionKind::ListItem, convention);
}

std::string PlanItemText(int plan) {
    return TextOf(IntegrationWindowTable, "CBPlan", CaptionKind::ListItem, plan);
}

} // namespace tessavin
