#include "ui/common/platform_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QToolBar>
#include <QTranslator>

#include "ui/charts/chart_panel.h"
#include "ui/common/caption_tables.h"

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
    case PlatformText::RawDataFilter:
        return {"Distributions Files (*.%1);;All files (*)",
                "Soubory rozdělení (*.%1);;Všechny soubory (*)"};
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

// A chart toolbar action: its caption and its hint ("short|long"), English then Czech.
struct ChartAction {
    const char* name;
    TwoLanguages caption;
    TwoLanguages hint;
};

constexpr ChartAction ChartActions[] = {
    {"ChartZoomIn",
     {"Zoom in", "Přiblížit"},
     {"Zoom in|Zoom in around the data", "Přiblížit|Přiblíží graf kolem dat"}},
    {"ChartZoomOut",
     {"Zoom out", "Oddálit"},
     {"Zoom out|Zoom out around the data", "Oddálit|Oddálí graf kolem dat"}},
    {"ChartZoomReset",
     {"Whole chart", "Celý graf"},
     {"Show the whole chart|Show all the data of the chart",
      "Celý graf|Zobrazí všechna data grafu"}},
    {"ChartCopy",
     {"Copy", "Kopírovat"},
     {"Copy|Copy the chart to the clipboard", "Kopírovat|Zkopíruje graf do schránky"}},
    {"ChartSave",
     {"Save…", "Uložit…"},
     {"Save…|Save the chart as a picture", "Uložit…|Uloží graf jako obrázek"}},
    {"ChartLog",
     {"Log", "Log"},
     {"Logarithmic axis|Show the probabilities on a logarithmic axis of decades (zero values "
      "are left out)",
      "Logaritmická osa|Zobrazí pravděpodobnosti na logaritmické ose po dekádách (nulové "
      "hodnoty se nevykreslí)"}},
};

CaptionAssignment Entry(CaptionKind kind, const char* name, TwoLanguages text) {
    return {kind, name, 0, 0, {text.english}, {text.czech}};
}

} // namespace

QString PlatformTextOf(PlatformText text) {
    const TwoLanguages t = TextsOf(text);
    return QString::fromUtf8(CurrentLanguage() == Language::Czech ? t.czech : t.english);
}

const std::vector<CaptionAssignment>& ChartCaptionTable() {
    static const std::vector<CaptionAssignment> table = [] {
        std::vector<CaptionAssignment> t;
        for (const ChartAction& a : ChartActions) {
            t.push_back(Entry(CaptionKind::Caption, a.name, a.caption));
            t.push_back(Entry(CaptionKind::Hint, a.name, a.hint));
        }
        return t;
    }();
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
