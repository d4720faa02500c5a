#pragma once
// The raw data window's data file box (GroupBox2): the histogram's range Min, Max and the
// sorted values of the file. It checks the range the user types against the other end.
#include <QGroupBox>
#include <QString>
#include <utility>

class QLineEdit;
class QPlainTextEdit;

namespace tessavin {
struct RawSample;
}

namespace tessavin::ui {

enum class RangeEnd { Min, Max };

class DataFileBox final : public QGroupBox {
    Q_OBJECT
  public:
    explicit DataFileBox(QWidget* parent);

    void clear();
    // The listing is hidden while a file is read.
    void setListingVisible(bool visible);
    // A sample read: its smallest and largest values become the range, `listing` its lines.
    void showSample(const RawSample& sample, const QString& listing);
    // The range the fields give, each end the sample's own where its field holds no number.
    std::pair<double, double> range(const RawSample& sample) const;

    // The leave check of one end. With no file named the field is emptied; a refused text
    // gives its box and the last accepted text again; an accepted one is shown as the program
    // writes numbers and `rangeAccepted` follows. False when the text was refused.
    bool checkEnd(RangeEnd end, bool fileNamed);
    QLineEdit* field(RangeEnd end) const { return end == RangeEnd::Min ? min_ : max_; }

  signals:
    void rangeAccepted();

  private:
    QLineEdit* min_;          // EdMin
    QLineEdit* max_;          // EdMax
    QPlainTextEdit* listing_; // MemoDat
    QString lastMin_;         // the texts set when the file was read, or accepted since
    QString lastMax_;
};

} // namespace tessavin::ui
