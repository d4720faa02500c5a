// The caption tables and their applier: a small main-window tree switched between the languages,
// the shape of every table, and exact texts of several windows.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <iterator>
#include <memory>

#include "caption_tables.h"
#include "localisation/language.h"
#include "ui_test_registry.h"

using tessavin::CurrentLanguage;
using tessavin::Language;
using tessavin::SetLanguage;
using namespace tessavin::ui;

// Stands in for the chart wrapper: keeps the axis titles it is given.
class ChartStandIn : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    Q_INVOKABLE void setAxisTitle(const QString& axis, const QString& title) {
        titles_[axis] = title;
    }
    Q_INVOKABLE QString axisTitle(const QString& axis) const { return titles_.value(axis); }

  private:
    QMap<QString, QString> titles_;
};

namespace {

const char* const kNotCalculatedCs = "      nebyla určena";

// The controls of the main window that the probes below read.
std::unique_ptr<QWidget> MainWindowTree() {
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle("title of its own");
    auto* pages = new QTabWidget(window.get());
    pages->setObjectName("PageControl1");
    auto* input = new QWidget;
    input->setObjectName("TabSheet1");
    pages->addTab(input, "Vstupní údaje");
    (new QLabel(input))->setObjectName("Label39");
    (new QLabel(input))->setObjectName("Label25");
    auto* origin = new QComboBox(input);
    origin->setObjectName("CBSireni");
    origin->addItems({"okraje", "povrchu"});
    origin->setCurrentIndex(1);
    auto* source = new QComboBox(input);
    source->setObjectName("CBRozSpZad");
    source->addItems({"Parametricky", "Prvotní data"});
    source->setCurrentIndex(1);
    (new QPushButton(window.get()))->setObjectName("BKonec");
    (new QPushButton(window.get()))->setObjectName("BPocitej");
    auto* language = new QMenu(window.get());
    language->menuAction()->setObjectName("Jazyk1");
    language->addAction(QString())->setObjectName("Cestina");
    auto* inspections = new QTableWidget(11, 2, window.get());
    inspections->setObjectName("StringGrid5");
    inspections->setItem(3, 1, new QTableWidgetItem(QString::fromUtf8(kNotCalculatedCs)));
    inspections->setItem(4, 1, new QTableWidgetItem("  12  -  15"));
    (new ChartStandIn(window.get()))->setObjectName("Chart3");
    return window;
}

template <class T> T* Get(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(name);
    if (!child) qFatal("no control %s", name);
    return child;
}

QString Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items.join('|');
}

struct Probe {
    const char* what;
    QString (*read)(QWidget*);
    const char* english;
    const char* czech;
};

const Probe kProbes[] = {
    {"label", [](QWidget* w) { return Get<QLabel>(w, "Label39")->text(); },
     "Fatigue crack progression from", "Šíření únavových trhlin z"},
    {"label from a message", [](QWidget* w) { return Get<QLabel>(w, "Label25")->text(); },
     "Resistance Rad", "Odolnost Rad"},
    {"list items", [](QWidget* w) { return Items(Get<QComboBox>(w, "CBSireni")); },
     "the edge|the surface", "okraje|povrchu"},
    {"list selection kept",
     [](QWidget* w) { return QString::number(Get<QComboBox>(w, "CBSireni")->currentIndex()); }, "1",
     "1"},
    {"refilled list", [](QWidget* w) { return Items(Get<QComboBox>(w, "CBRozSpZad")); },
     "Parametric|Raw Data", "Parametricky|Prvotní data"},
    {"refilled list selection kept",
     [](QWidget* w) { return QString::number(Get<QComboBox>(w, "CBRozSpZad")->currentIndex()); },
     "1", "1"},
    {"menu item", [](QWidget* w) { return Get<QAction>(w, "Cestina")->text(); }, "&Czech",
     "&Čeština"},
    {"menu item hint, long part",
     [](QWidget* w) { return Get<QAction>(w, "Cestina")->statusTip(); },
     " YES - czech, NO - english", " ANO - čeština, NE - angličtina"},
    {"submenu", [](QWidget* w) { return Get<QAction>(w, "Jazyk1")->menu()->title(); }, "&Language",
     "&Jazyk"},
    {"tab page", [](QWidget* w) { return Get<QTabWidget>(w, "PageControl1")->tabText(0); },
     "Input data", "Vstupní údaje"},
    {"button", [](QWidget* w) { return Get<QPushButton>(w, "BPocitej")->text(); }, "&RUN",
     "&Vypočet"},
    {"button hint, short part", [](QWidget* w) { return Get<QPushButton>(w, "BKonec")->toolTip(); },
     "Exit program ?", "Ukončit program ?"},
    {"button hint, long part",
     [](QWidget* w) { return Get<QPushButton>(w, "BKonec")->statusTip(); },
     " Exit program  T e s s a v i n  ? (Ctrl+X)", " Ukončí program  T e s s a v i n  ? (Ctrl+X)"},
    {"grid heading",
     [](QWidget* w) { return Get<QTableWidget>(w, "StringGrid5")->item(0, 0)->text(); },
     "  Inspection", "   Prohlídka"},
    {"grid marker of the other language",
     [](QWidget* w) { return Get<QTableWidget>(w, "StringGrid5")->item(3, 1)->text(); },
     "      not calculated", kNotCalculatedCs},
    {"grid cell without marker",
     [](QWidget* w) { return Get<QTableWidget>(w, "StringGrid5")->item(4, 1)->text(); },
     "  12  -  15", "  12  -  15"},
    {"left axis title",
     [](QWidget* w) { return Get<ChartStandIn>(w, "Chart3")->axisTitle("left"); },
     "Probability P(x)", "Pravděpodobnost P(x)"},
    {"bottom axis title",
     [](QWidget* w) { return Get<ChartStandIn>(w, "Chart3")->axisTitle("bottom"); }, "Y e a r",
     "R o k"},
    {"window title left to the window", [](QWidget* w) { return w->windowTitle(); },
     "title of its own", "title of its own"},
};

bool IsEmpty(const CaptionText& t) {
    return !*t.text && !t.message && !*t.lead;
}
bool SameText(const CaptionText& a, const CaptionText& b) {
    return QByteArray(a.text) == b.text && a.message == b.message && QByteArray(a.lead) == b.lead;
}

} // namespace

class CaptionTablesTest : public QObject {
    Q_OBJECT

  private slots:
    // Each language is applied over the other one, as a switch at run time does.
    void switchesTheMainWindow_data() {
        QTest::addColumn<int>("probe");
        QTest::addColumn<bool>("czech");
        for (int i = 0; i < int(std::size(kProbes)); ++i) {
            QTest::addRow("%s, English", kProbes[i].what) << i << false;
            QTest::addRow("%s, Czech", kProbes[i].what) << i << true;
        }
    }
    void switchesTheMainWindow() {
        QFETCH(int, probe);
        QFETCH(bool, czech);
        const Language language = czech ? Language::Czech : Language::English;
        SetLanguage(Language::English);
        const std::unique_ptr<QWidget> window = MainWindowTree();
        ApplyCaptionTable(window.get(), 1, czech ? Language::English : Language::Czech);
        ApplyCaptionTable(window.get(), 1, language);
        const Probe& p = kProbes[probe];
        QCOMPARE(p.read(window.get()), QString::fromUtf8(czech ? p.czech : p.english));
        QCOMPARE(CurrentLanguage(), Language::English);
    }

    void tablesAreWellFormed() {
        // Texts that read the same in both languages on purpose.
        const QSet<QByteArray> sameInBoth = {" i",   " Median",         " Mode",        "Median",
                                             "Mode", "Střední hodnota", "Směr.odchylka"};
        for (int window = 0; window <= 11; ++window) {
            const auto& table = CaptionTable(window);
            const bool hasTable = window >= 1 && window <= 10 && window != 8;
            QVERIFY2(table.empty() != hasTable, qPrintable(QString::number(window)));
            QSet<QString> keys;
            for (const CaptionAssignment& a : table) {
                const QString where = QStringLiteral("window %1, %2 (%3, %4)")
                                          .arg(window)
                                          .arg(a.control)
                                          .arg(a.index)
                                          .arg(a.row);
                QVERIFY2((*a.control == 0) == (a.kind == CaptionKind::WindowCaption),
                         qPrintable(where));
                QVERIFY2(!IsEmpty(a.english) && !IsEmpty(a.czech), qPrintable(where));
                if (a.kind == CaptionKind::Hint)
                    QVERIFY2(QByteArray(a.english.text).contains('|') &&
                                 QByteArray(a.czech.text).contains('|'),
                             qPrintable(where));
                if (SameText(a.english, a.czech))
                    QVERIFY2(a.english.message || sameInBoth.contains(a.english.text),
                             qPrintable(where + " reads the same in both languages"));
                const QString key = QString::number(int(a.kind)) + ' ' + where;
                QVERIFY2(!keys.contains(key), qPrintable(where + " is set twice"));
                keys.insert(key);
            }
        }
    }

    void holdsTheExactTexts_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("english");
        QTest::addColumn<QByteArray>("czech");
        QTest::addColumn<int>("message");
        QTest::addColumn<QByteArray>("lead");
        const auto row = [](const char* name, int window, CaptionKind kind, const char* control,
                            int index, int row, const char* en, const char* cs, int message = 0,
                            const char* lead = "") {
            QTest::newRow(name) << window << int(kind) << QByteArray(control) << index << row
                                << QByteArray(en) << QByteArray(cs) << message << QByteArray(lead);
        };
        using K = CaptionKind;
        row("1 refilled source list", 1, K::ListRefill, "CBRozSpZad", 0, 0, "Parametric\nRaw Data",
            "Parametricky\nPrvotní data");
        row("1 years label", 1, K::Caption, "Label4", 0, 0,
            "Number of years n starting / step / end values :", "Počet roků n  zac / krok /: kon ");
        row("1 further inspections", 1, K::Caption, "VypDalProhl", 0, 0,
            "&Selection of the calculation 2th, 3th., ... inspection time",
            "Volba výpočtu 2., 3., ... &prohlídky");
        row("1 year heading", 1, K::GridCell, "StringGrid4", 0, 0, "", "", 259);
        row("2 title", 2, K::WindowCaption, "", 0, 0, "Tessavin : Graph of histogram, reliability",
            "Tessavin : zobrazení histogramu ");
        row("2 value item", 2, K::ListItem, "CBValInd", 1, 0, "Value x", "Hodnota x");
        row("3 warning label", 3, K::Caption, "Label1", 0, 0, " :   C a l c u l a t i o n  !",
            " :   V ý p o č e t  !", 4);
        row("3 first type", 3, K::ListItem, "CBTypRozdeleni", 0, 0, "", "", 91);
        row("4 Czech row label", 4, K::GridCell, "StringGrid3", 0, 1, "Střední hodnota",
            "Střední hodnota");
        row("4 chart export hint", 4, K::Hint, "UlozGraf", 0, 0,
            "Save chart| Save chart. Click right mouse button on save icon to select saving type "
            "in advance!",
            "Uložit graf histogramu| Uloží graf histogramu. Předem zvolit typ uložení ( klikem "
            "pravého tlačítka myši na ikonu grafu )");
        row("5 copied heading", 5, K::GridCell, "SGChar", 5, 0, " Average", " Střední hodnota");
        row("5 parameters heading", 5, K::GridCell, "SGChar", 11, 0, "", "", 108, " ");
        row("5 variation key", 5, K::ListItem, "CBTypVyberu", 7, 0, "Variation",
            "Variační koeficient [%]");
        row("7 third page", 7, K::Caption, "TabSheet3", 0, 0, "Graph", "Graf3");
        row("9 Simpson", 9, K::ListItem, "CBMetoda", 1, 0, "Simpson's rule", "Simpsonova metoda");
        row("10 title", 10, K::WindowCaption, "", 0, 0, "  Tessavin :      List of INI-file",
            "  Tessavin :      Výpis INI-souboru");
    }
    void holdsTheExactTexts() {
        QFETCH(int, window);
        QFETCH(int, kind);
        QFETCH(QByteArray, control);
        QFETCH(int, index);
        QFETCH(int, row);
        QFETCH(QByteArray, english);
        QFETCH(QByteArray, czech);
        QFETCH(int, message);
        QFETCH(QByteArray, lead);
        const CaptionAssignment* found = nullptr;
        for (const CaptionAssignment& a : CaptionTable(window))
            if (int(a.kind) == kind && control == a.control && a.index == index && a.row == row)
                found = &a;
        QVERIFY(found);
        QCOMPARE(QByteArray(found->english.text), english);
        QCOMPARE(QByteArray(found->czech.text), czech);
        QCOMPARE(found->english.message, message);
        QCOMPARE(found->czech.message, message);
        QCOMPARE(QByteArray(found->english.lead), lead);
        QCOMPARE(QByteArray(found->czech.lead), lead);
    }
};

TESSAVIN_UI_TEST(CaptionTablesTest, caption_tables_test)

#include "caption_tables_test.moc"
