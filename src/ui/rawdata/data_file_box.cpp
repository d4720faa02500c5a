#include "ui/rawdata/data_file_box.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "rawdata/raw_sample.h"
#include "statlib/number_text.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/rawdata/box_parts.h"
#include "ui/rawdata/field_checks.h"

namespace tessavin::ui {

DataFileBox::DataFileBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox2");
    min_ = NamedEdit(this, "EdMin", 110);
    max_ = NamedEdit(this, "EdMax", 110);
    listing_ = new QPlainTextEdit(this);
    listing_->setObjectName("MemoDat");
    listing_->setReadOnly(true);
    listing_->setLineWrapMode(QPlainTextEdit::NoWrap);
    listing_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QGridLayout(this);
    layout->addWidget(NamedLabel(this, "LMin"), 0, 0);
    layout->addWidget(min_, 0, 1);
    layout->addWidget(NamedLabel(this, "LMax"), 1, 0);
    layout->addWidget(max_, 1, 1);
    layout->addWidget(listing_, 2, 0, 1, 2);
    setFixedWidth(200);
}

void DataFileBox::clear() {
    listing_->clear();
    for (QLineEdit* e : {min_, max_})
        FieldChecks::SetQuietly(e, QString());
}

void DataFileBox::setListingVisible(bool visible) {
    listing_->setVisible(visible);
}

void DataFileBox::showSample(const RawSample& sample, const QString& listing) {
    lastMin_ = Q(StrNaCarku(sample.minimum));
    lastMax_ = Q(StrNaCarku(sample.maximum));
    FieldChecks::SetQuietly(min_, lastMin_);
    FieldChecks::SetQuietly(max_, lastMax_);
    listing_->setPlainText(listing);
    listing_->show();
}

std::pair<double, double> DataFileBox::range(const RawSample& sample) const {
    return {ParseReal(S(min_->text())).value_or(sample.minimum),
            ParseReal(S(max_->text())).value_or(sample.maximum)};
}

bool DataFileBox::checkEnd(RangeEnd end, bool fileNamed) {
    const bool isMin = end == RangeEnd::Min;
    QLineEdit* edit = field(end);
    QString& last = isMin ? lastMin_ : lastMax_;
    if (!fileNamed) {
        FieldChecks::SetQuietly(edit, QString());
        return true;
    }
    const std::string text = S(edit->text());
    const std::optional<double> v = ParseReal(text);
    // The other end as its field shows it: a refused entry there was already put back.
    const std::optional<double> other =
        ParseReal(S(field(isMin ? RangeEnd::Max : RangeEnd::Min)->text()));
    std::string refusal;
    if (!v)
        refusal = TextCis(msg::InvalidNumberInput) + (isMin ? " MinX " : " MaxX ") + text;
    else if (!other || (isMin ? *v >= *other : *v <= *other))
        refusal = isMin ? "MinX >= MaxX !" : "MaxX <= MinX !";
    if (!refusal.empty()) {
        FieldChecks::Refuse(edit, refusal);
        FieldChecks::SetQuietly(edit, last);
        return false;
    }
    last = Q(StrNaCarku(*v));
    FieldChecks::SetQuietly(edit, last);
    emit rangeAccepted();
    return true;
}

} // namespace tessavin::ui
