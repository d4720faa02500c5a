#include "platform_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QToolBar>
#include <QTranslator>

#include "caption_tables.h"
#include "chart_panel.h"

namespace tessavin::ui {
namespace {

struct TwoLanguages {
    const char* english;
    const char* czech;
};

TwoLanguages TextsOf(PlatformText text) {
    switch (text) {
    case PlatformText::ProjectFilter:
        return {"Tessavin projects (*.Vys);;All files (*)",
                "Projekty Tessavin (*.Vys);;Všechny soubory (*)"};
    case PlatformText::ResultTextFilter:
        return {"Result text files (*.txt);;All files (*)",
                "Textové soubory výsledků (*.txt);;Všechny soubory (*)"};
    case PlatformText::HistogramFilter:
        return {"Histogram files (*.dis);;All files (*)",
                "Soubory histogramů (*.dis);;Všechny soubory (*)"};
    case PlatformText::WorkbookSaved:
        return {"Workbook saved: ", "Sešit uložen: "};
    case PlatformText::ChartSaveCaption:
        return {"Save the chart as a picture", "Uložit graf jako obrázek"};
    case PlatformText::ChartPictureFilter:
        return {"PNG picture (*.png);;JPEG picture (*.jpg);;SVG drawing (*.svg);;Bitmap (*.bmp)",
                "Obrázek PNG (*.png);;Obrázek JPEG (*.jpg);;Kresba SVG (*.svg);;Bitmapa (*.bmp)"};
    case PlatformText::ChartNotSaved:
        return {"The picture could not be saved to %1.", "Obrázek nelze uložit do %1."};
    }
    return {"", ""};
}

CaptionAssignment Action(CaptionKind kind, const char* name, const char* english,
                         const char* czech) {
    return {kind, name, 0, 0, {english}, {czech}};
}

} // namespace

QString PlatformTextOf(PlatformText text) {
    const TwoLanguages t = TextsOf(text);
    return QString::fromUtf8(CurrentLanguage() == Language::Czech ? t.czech : t.english);
}

const std::vector<CaptionAssignment>& ChartCaptionTable() {
    using K = CaptionKind;
    static const std::vector<CaptionAssignment> table = {
        Action(K::Caption, "ChartZoomIn", "Zoom in", "Přiblížit"),
        Action(K::Hint, "ChartZoomIn", "Zoom in|Zoom in around the data",
               "Přiblížit|Přiblíží graf kolem dat"),
        Action(K::Caption, "ChartZoomOut", "Zoom out", "Oddálit"),
        Action(K::Hint, "ChartZoomOut", "Zoom out|Zoom out around the data",
               "Oddálit|Oddálí graf kolem dat"),
        Action(K::Caption, "ChartZoomReset", "Whole chart", "Celý graf"),
        Action(K::Hint, "ChartZoomReset", "Show the whole chart|Show all the data of the chart",
               "Celý graf|Zobrazí všechna data grafu"),
        Action(K::Caption, "ChartCopy", "Copy", "Kopírovat"),
        Action(K::Hint, "ChartCopy", "Copy|Copy the chart to the clipboard",
               "Kopírovat|Zkopíruje graf do schránky"),
        Action(K::Caption, "ChartSave", "Save…", "Uložit…"),
        Action(K::Hint, "ChartSave", "Save…|Save the chart as a picture",
               "Uložit…|Uloží graf jako obrázek"),
    };
    return table;
}

void ApplyChartCaptions(ChartPanel* chart, Language language) {
    // The toolbar may live in another layout than the chart: its actions are found there.
    if (chart) ApplyCaptions(chart->toolbar(), ChartCaptionTable(), language);
}

void UseQtTranslations(Language language) {
    static QTranslator* czech = nullptr;
    if (!QCoreApplication::instance()) return;
    if (language == Language::Czech) {
        if (!czech) {
            czech = new QTranslator(QCoreApplication::instance());
            if (!czech->load("qtbase_cs", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                delete czech;
                czech = nullptr;
                return;
            }
        }
        QCoreApplication::installTranslator(czech);
    } else if (czech) {
        QCoreApplication::removeTranslator(czech);
    }
}

} // namespace tessavin::ui
