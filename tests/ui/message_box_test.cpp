// The program's real message box (no scripted stand-in): texts with tab stops, such as the
// folders box and the characteristics of a histogram, keep their columns and never wrap.
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "localisation/language.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui_test_registry.h"

using namespace tessavin;
using namespace tessavin::ui;

class MessageBoxTest : public QObject {
    Q_OBJECT

    // Shows `text` in the real box and returns the size of its text label.
    static QSize LabelSize(const QString& text) {
        QSize size;
        QTimer::singleShot(0, [&size] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (const auto* label = box->findChild<QLabel*>("qt_msgbox_label"))
                size = label->size();
            box->accept();
        });
        SetUserInteraction(nullptr);
        DefMessageDlg("I n f o r m a t i o n", text, BoxKind::Information, BoxButtons::Ok);
        return size;
    }

    static QString FoldersText(const QString& folder) {
        return "\t" + Q(FormatMessage(TextCis(5), {S(folder), "/g", "/r", "/v"}));
    }

  private slots:
    void tabbedTextNeverWraps() {
        SetLanguage(Language::English);
        const QString shortFolder = "/tmp";
        // Wider than the box's usual 500 pixels, narrower than the test's 800-pixel screen.
        const QString longFolder = "/home/engineer/" + QString(25, 'x') + "/" + QString(25, 'y');
        const QSize narrow = LabelSize(FoldersText(shortFolder));
        const QSize wide = LabelSize(FoldersText(longFolder));
        QVERIFY(narrow.isValid() && wide.isValid());
        // A wrapped path would take a second line; the box widens for the path instead.
        QCOMPARE(wide.height(), narrow.height());
        QVERIFY2(wide.width() > QFontMetrics(QApplication::font()).horizontalAdvance(longFolder),
                 qPrintable(QString::number(wide.width())));
    }

    void tabStopsBecomeColumns() {
        // Runs of tabs end a column, leading tabs indent; every row has as many columns.
        const QString html = TabbedTextAsTable("Title\r\nMin\t\t1.5\r\n\tMedian\t2\r\n");
        QCOMPARE(html.count("<tr>"), 4);
        QVERIFY(html.contains(">Title</td>") && html.contains("colspan=2"));
        QVERIFY(html.contains(">Min  </td>"));
        QVERIFY(html.contains(">    Median  </td>"));
        QCOMPARE(html.count("white-space:pre"), html.count("<td"));
        // Text is escaped, not taken as markup.
        QVERIFY(TabbedTextAsTable("a<b\tc").contains("a&lt;b"));
    }
};

TESSAVIN_UI_TEST(MessageBoxTest, message_box_test)
#include "message_box_test.moc"
