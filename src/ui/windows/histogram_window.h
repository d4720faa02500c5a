#pragma once
// The histogram window TForm2: one histogram at a time (an input, Nn, Sn or a result of the
// calculation) as chart, class table and basic values; saving it as a .dis file, its
// characteristics and a screenshot. It shows a copy and never changes a stored histogram.
#include <QString>

#include "histogram/histogram.h"
#include "localisation/language.h"
#include "ui/charts/histogram_chart.h"
#include "ui/windows/side_window.h"

class QComboBox;
class QToolButton;

namespace tessavin::ui {

class ChartPanel;
class StringGrid;

// Where the settings file keeps the window's place (section, keys) and the defaults.
inline constexpr const char* HistogramPositionSection = "--  Position  --";
inline constexpr const char* HistogramLeftKey = "Histogram-Form2.left";
inline constexpr const char* HistogramTopKey = "Histogram-Form2.top";
inline constexpr const char* HistogramWidthKey = "Histogram-Form2.width";
inline constexpr const char* HistogramHeightKey = "Histogram-Form2.height";
inline constexpr int HistogramMinWidth = 726;
inline constexpr int HistogramMinHeight = 511;

class HistogramWindow final : public SideWindow {
    Q_OBJECT
  public:
    // What the window shows.
    enum Kind {
        None = 0,
        Nn = 2,
        Sn = 3,
        Rad = 4,
        Raac = 5,
        RfU = 6,
        RfF = 7,
        FirstInput = 8, // input k is kind k + 7, k = 1 .. 6
        LastInput = 13,
    };

    HistogramWindow();
    ~HistogramWindow() override;

    // Draws `h` (a copy is kept) with "Histogram :  " + caption as the first title line and
    // the description (inputs) or the date and time (the others) as the second, fills the
    // basic values and shows the window.
    void showHistogram(int kind, const DiscreteHistogram& h, const QString& caption,
                       const QString& description);
    // Empties chart and tables; nothing is shown afterwards.
    void clearHistogram();

    // 0 index, 1 value. Sets CBValInd only: no redraw, no axisModeChanged.
    void setAxisMode(int index);
    int axisMode() const;
    void setColourHighlighting(bool on);
    void setToolbarWanted(bool on);
    void setSaveFolder(const QString& dir);

    int kind() const { return kind_; }
    const DiscreteHistogram& shown() const { return shown_; }

    // The commands of the toolbar.
    void copyScreen();          // UlozOkno
    void saveHistogram();       // BUlozit
    void showCharacteristics(); // BChar

  signals:
    // The user chose the axis mode in CBValInd (the chart is already redrawn).
    void axisModeChanged(int index);

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // After caption table 2: the axis list and the drawn texts in that language.
    void languageApplied(Language language) override;
    void redraw();
    void fillBasicTable();
    void updateChartTools();
    bool isInput() const { return kind_ >= FirstInput && kind_ <= LastInput; }
    HistogramAxis axis() const;

    ChartPanel* chart_;
    StringGrid* classes_; // StringGrid2
    StringGrid* basic_;   // StringGrid3
    QComboBox* axisMode_; // CBValInd
    QWidget* chartTools_; // Panel1: holds the chart's own toolbar
    QToolButton* save_;   // BUlozit

    DiscreteHistogram shown_;
    int kind_ = None;
    QString titleLine1_;
    QString titleLine2_;
    QString saveFolder_;
    bool highlight_ = true;
    bool toolbarWanted_ = true;
    int ownDialogs_ = 0; // boxes and file dialogs of this window that are open
};

} // namespace tessavin::ui
