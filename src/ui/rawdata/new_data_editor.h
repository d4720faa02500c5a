#pragma once
// The raw data window's editor of new raw data (GroupBox3): the values typed one a line with
// their count and the caret's line, saved as a raw data file once every line is a number.
#include <QGroupBox>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace tessavin::ui {

class StringGrid;

class NewDataEditor final : public QGroupBox {
    Q_OBJECT
  public:
    explicit NewDataEditor(QWidget* parent);

    // Files are saved in `rawDataDir`; the current folder returns to `startDir` afterwards.
    void setFolders(const QString& rawDataDir, const QString& startDir);
    // Emptied and hidden.
    void clear();
    // Shown, empty, for typing.
    void start();

  private:
    void showCount();
    void save(); // BSave

    QPlainTextEdit* text_; // Memo1
    StringGrid* count_;    // StringGrid5: the lines typed and the caret's line
    QPushButton* save_;    // BSave
    QPushButton* cancel_;  // Bcancel
    QString rawDataDir_;
    QString startDir_;
};

} // namespace tessavin::ui
