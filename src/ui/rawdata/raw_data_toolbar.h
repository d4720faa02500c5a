#pragma once
// The raw data window's toolbar (SpeedPanel): open a file, new raw data, the characteristics,
// the screen copy, the chart export with its choice menu, the histogram kind and exit.
#include <QWidget>
#include <array>

#include "rawdata/raw_sample.h"

class QAction;
class QCheckBox;
class QMenu;
class QToolButton;

namespace tessavin::ui {

// Where the chart export goes, as the export menu ticks it.
enum class ChartExport { Clipboard = 0, Bitmap = 1, Metafile = 2, Jpeg = 3 };

class RawDataToolbar final : public QWidget {
    Q_OBJECT
  public:
    explicit RawDataToolbar(QWidget* parent);

    // The kind of histogram ticked (ChB_TypHist); untick: Discrete again.
    HistogramKind histogramKind() const;
    void resetHistogramKind();
    // The characteristics command (BChar) and the two pictures (UlozGraf, SpeedButton1).
    void setCharacteristicsEnabled(bool enabled);
    void setPicturesEnabled(bool enabled);
    ChartExport exportChoice() const;

  signals:
    void openRequested();            // OpenData
    void newDataRequested();         // BNovy
    void characteristicsRequested(); // BChar
    void screenCopyRequested();      // SpeedButton1
    void exportRequested();          // UlozGraf
    void kindChanged();              // ChB_TypHist
    void closeRequested();           // BitBtn1

  private:
    void exportChoiceClicked(QAction* item);

    QToolButton* characteristics_;          // BChar
    QToolButton* screenCopy_;               // SpeedButton1
    QToolButton* exportChart_;              // UlozGraf
    QCheckBox* kind_;                       // ChB_TypHist
    QMenu* exportMenu_;                     // PopupMenu2
    std::array<QAction*, 4> exportItems_{}; // Schranka, Bitmapa, Metafile, JPGFile
};

} // namespace tessavin::ui
