// The caption tables and their applier: a small main-window tree switched between the languages,
// the shape of every table, and every window of the registry built in each language showing its
// table's texts.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <iterator>
#include <memory>

#include "calculation/model.h"
#include "files/settings_file.h"
#include "files/settings_keys.h"
#include "localisation/language.h"
#include "parametric/distribution_registry.h"
#include "scripted_interaction.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/caption_tables.h"
#include "ui/common/platform_texts.h"
#include "ui/main/main_window.h"
#include "ui/rawdata/raw_data_window.h"
#include "ui/rawdata/suitable_histograms_window.h"
#include "ui/windows/about_window.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
#include "ui/windows/sensitivity_window.h"
#include "ui/windows/settings_window.h"
#include "ui/windows/splash_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"
#include "windows/window_registry.h"

using tessavin::CaptionAssignment;
using tessavin::CaptionKind;
using tessavin::CaptionTable;
using tessavin::CurrentLanguage;
using tessavin::FindSettingKey;
using tessavin::Language;
using tessavin::MainWindowSettingKeys;
using tessavin::SetLanguage;
using tessavin::WindowEntry;
using tessavin::WindowId;
using namespace tessavin::ui;
using tessavin::test::Control;

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
    {"label", [](QWidget* w) { return Control<QLabel>(w, "Label39")->text(); },
     "Fatigue crack progression from", "Šíření únavových trhlin z"},
    {"label from a message", [](QWidget* w) { return Control<QLabel>(w, "Label25")->text(); },
     "Resistance Rad", "Odolnost Rad"},
    {"list items", [](QWidget* w) { return Items(Control<QComboBox>(w, "CBSireni")); },
     "the edge|the surface", "okraje|povrchu"},
    {"list selection kept",
     [](QWidget* w) { return QString::number(Control<QComboBox>(w, "CBSireni")->currentIndex()); },
     "1", "1"},
    {"refilled list", [](QWidget* w) { return Items(Control<QComboBox>(w, "CBRozSpZad")); },
     "Parametric|Raw Data", "Parametricky|Prvotní data"},
    {"refilled list selection kept",
     [](QWidget* w) {
         return QString::number(Control<QComboBox>(w, "CBRozSpZad")->currentIndex());
     },
     "1", "1"},
    {"menu item", [](QWidget* w) { return Control<QAction>(w, "Cestina")->text(); }, "&Czech",
     "&Čeština"},
    {"menu item hint, long part",
     [](QWidget* w) { return Control<QAction>(w, "Cestina")->statusTip(); },
     " YES - czech, NO - english", " ANO - čeština, NE - angličtina"},
    {"submenu", [](QWidget* w) { return Control<QAction>(w, "Jazyk1")->menu()->title(); },
     "&Language", "&Jazyk"},
    {"tab page", [](QWidget* w) { return Control<QTabWidget>(w, "PageControl1")->tabText(0); },
     "Input data", "Vstupní údaje"},
    {"button", [](QWidget* w) { return Control<QPushButton>(w, "BPocitej")->text(); }, "&RUN",
     "&Vypočet"},
    {"button hint, short part",
     [](QWidget* w) { return Control<QPushButton>(w, "BKonec")->toolTip(); }, "Exit program ?",
     "Ukončit program ?"},
    {"button hint, long part",
     [](QWidget* w) { return Control<QPushButton>(w, "BKonec")->statusTip(); },
     " Exit program  T e s s a v i n  ? (Ctrl+X)", " Ukončí program  T e s s a v i n  ? (Ctrl+X)"},
    {"grid heading",
     [](QWidget* w) { return Control<QTableWidget>(w, "StringGrid5")->item(0, 0)->text(); },
     "  Inspection", "   Prohlídka"},
    {"grid marker of the other language",
     [](QWidget* w) { return Control<QTableWidget>(w, "StringGrid5")->item(3, 1)->text(); },
     "      not calculated", kNotCalculatedCs},
    {"grid cell without marker",
     [](QWidget* w) { return Control<QTableWidget>(w, "StringGrid5")->item(4, 1)->text(); },
     "  12  -  15", "  12  -  15"},
    {"left axis title",
     [](QWidget* w) { return Control<ChartStandIn>(w, "Chart3")->axisTitle("left"); },
     "Probability P(x)", "Pravděpodobnost P(x)"},
    {"bottom axis title",
     [](QWidget* w) { return Control<ChartStandIn>(w, "Chart3")->axisTitle("bottom"); }, "Y e a r",
     "R o k"},
    {"window title left to the window", [](QWidget* w) { return w->windowTitle(); },
     "title of its own", "title of its own"},
};

bool IsEmpty(const tessavin::TableText& t) {
    return !*t.text && !t.message && !*t.lead;
}
bool SameText(const tessavin::TableText& a, const tessavin::TableText& b) {
    return QByteArray(a.text) == b.text && a.message == b.message && QByteArray(a.lead) == b.lead;
}

// Builds window `id` in the active language as the program builds it: a case for every row of
// the window registry. The main window takes its language from the settings file.
std::unique_ptr<QWidget> MakeWindow(WindowId id) {
    static tessavin::IntegrationSettings settings;
    switch (id) {
    case WindowId::Main: {
        tessavin::SettingsFile file;
        const bool czech = CurrentLanguage() == Language::Czech;
        for (const auto& [tick, on] : {std::pair{"Cestina", czech}, {"Anglictina", !czech}})
            file.SetBool(*FindSettingKey(MainWindowSettingKeys(), tick), on);
        const QString path = QString::fromLocal8Bit(qgetenv("TESSAVIN_INI"));
        file.Save(S(path));
        auto window = std::make_unique<MainWindow>();
        QFile::remove(path);
        return window;
    }
    case WindowId::Histogram:
        return std::make_unique<HistogramWindow>();
    case WindowId::RawData:
        return std::make_unique<RawDataWindow>();
    case WindowId::SuitableHistograms:
        return std::make_unique<SuitableHistogramsWindow>();
    case WindowId::About:
        return std::make_unique<AboutWindow>();
    case WindowId::EventGraph:
        return std::make_unique<EventGraphWindow>();
    case WindowId::Splash:
        return std::make_unique<SplashWindow>();
    case WindowId::Integration:
        return std::make_unique<IntegrationWindow>(settings);
    case WindowId::SettingsListing:
        return std::make_unique<SettingsListingWindow>();
    case WindowId::Sensitivity:
        return std::make_unique<SensitivityWindow>();
    }
    return nullptr;
}

// What `target` shows for an entry of `kind`, read the way the caption tables write it; a null
// string where the control has no such place (a grid cell outside the grid).
QString Shown(QWidget* window, QObject* target, const CaptionAssignment& a) {
    auto* widget = qobject_cast<QWidget*>(target);
    switch (a.kind) {
    case CaptionKind::WindowCaption:
        return window->windowTitle();
    case CaptionKind::Caption:
        if (auto* action = qobject_cast<QAction*>(target)) return action->text();
        for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
                if (tabs->indexOf(widget) >= 0) return tabs->tabText(tabs->indexOf(widget));
                break;
            }
        if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
        return widget->windowTitle();
    case CaptionKind::Hint: {
        const QString tip = widget ? widget->toolTip() : qobject_cast<QAction*>(target)->toolTip();
        const QString status =
            widget ? widget->statusTip() : qobject_cast<QAction*>(target)->statusTip();
        const QString text = QString::fromUtf8(a.english.text); // only the shape counts here
        return text.contains('|') ? tip + '|' + status : tip;
    }
    case CaptionKind::ListItem: {
        auto* list = qobject_cast<QComboBox*>(target);
        return list && a.index < list->count() ? list->itemText(a.index) : QString();
    }
    case CaptionKind::ListRefill:
        return Items(qobject_cast<QComboBox*>(target));
    case CaptionKind::GridCell: {
        auto* grid = qobject_cast<QTableWidget*>(target);
        if (!grid || a.row >= grid->rowCount() || a.index >= grid->columnCount()) return {};
        return grid->item(a.row, a.index) ? grid->item(a.row, a.index)->text() : QString();
    }
    case CaptionKind::AxisTitle: {
        QString title;
        QMetaObject::invokeMethod(target, "axisTitle", Q_RETURN_ARG(QString, title),
                                  Q_ARG(QString, a.index == 0 ? "left" : "bottom"));
        return title;
    }
    case CaptionKind::GridMarker:
    case CaptionKind::TextPiece:
    case CaptionKind::Composed:
        break;
    }
    return {};
}

// What is left of a text composed by window `id` for its entry `a` once the texts its pieces may
// contribute are taken out: numbers, punctuation and spaces, or a word no piece supplies.
QString LeftOfComposedText(WindowId id, const CaptionAssignment& a, QString shown) {
    QStringList texts;
    for (const std::vector<std::string>& piece : tessavin::ComposedPieceTexts(id, a))
        for (const std::string& text : piece)
            if (!QString::fromStdString(text).trimmed().isEmpty())
                texts << QString::fromStdString(text);
    // The longest first: a piece that is part of another must not cut it.
    std::sort(texts.begin(), texts.end(),
              [](const QString& x, const QString& y) { return x.size() > y.size(); });
    for (const QString& text : texts)
        shown.replace(text, " ");
    return shown;
}

// Controls whose text is a value the window shows, not a caption: fields, grids (their headings
// are checked by their table entries), charts' plots. Their texts and those of their inner
// widgets are left out.
bool HoldsData(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
            qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTextEdit*>(w) ||
            qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QGraphicsView*>(w) ||
            qobject_cast<const QProgressBar*>(w))
            return true;
    return false;
}

// Every text window `id` shows at construction that no entry of its table (or of the chart
// wrapper's, for a chart's toolbar) addresses: a caption, title, tab, list item or tool tip.
QStringList TextsWithoutEntry(QWidget* window, WindowId id) {
    QSet<QString> covered;
    auto cover = [&](const std::vector<CaptionAssignment>& table) {
        for (const CaptionAssignment& a : table) {
            // A composed text stands for the control's caption, or for the window's title.
            const CaptionKind kind = a.kind != CaptionKind::Composed ? a.kind
                                     : *a.control                    ? CaptionKind::Caption
                                                                     : CaptionKind::WindowCaption;
            const QString key = QString::fromUtf8(a.control) + ' ' + QString::number(int(kind));
            covered.insert(a.kind == CaptionKind::ListItem ? key + ' ' + QString::number(a.index)
                                                           : key);
        }
    };
    cover(CaptionTable(id));
    if (!window->findChildren<ChartPanel*>().isEmpty()) cover(ChartCaptionTable());
    QStringList missing;
    auto need = [&](const QObject* o, CaptionKind kind, const QString& text, int item = -1) {
        if (text.isEmpty()) return;
        const QString name = o == window ? QString() : o->objectName();
        QString key = name + ' ' + QString::number(int(kind));
        if (kind == CaptionKind::ListItem &&
            covered.contains(o->objectName() + ' ' + QString::number(int(CaptionKind::ListRefill))))
            return;
        if (item >= 0) key += ' ' + QString::number(item);
        if (!covered.contains(key))
            missing << QStringLiteral("%1 \"%2\" (%3 %4)")
                           .arg(o->objectName(), text, o->metaObject()->className())
                           .arg(int(kind));
    };
    need(window, CaptionKind::WindowCaption, window->windowTitle());
    for (const QAction* action : window->findChildren<QAction*>()) {
        // A toolbar button or a menu shows its action: the action is checked.
        if (action->isSeparator()) continue;
        need(action, CaptionKind::Caption, action->text());
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (HoldsData(w) || w->isWindow()) continue;
        if (auto* label = qobject_cast<QLabel*>(w)) need(w, CaptionKind::Caption, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            auto* tool = qobject_cast<QToolButton*>(w);
            if (tool && tool->defaultAction()) continue; // shows its action's texts
            need(w, CaptionKind::Caption, button->text());
        }
        if (auto* group = qobject_cast<QGroupBox*>(w))
            need(w, CaptionKind::Caption, group->title());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                need(tabs->widget(i), CaptionKind::Caption, tabs->tabText(i));
        if (auto* list = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < list->count(); ++i)
                need(w, CaptionKind::ListItem, list->itemText(i), i);
        need(w, CaptionKind::Hint, w->toolTip());
    }
    return missing;
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
        ApplyCaptionTable(window.get(), WindowId::Main,
                          czech ? Language::English : Language::Czech);
        ApplyCaptionTable(window.get(), WindowId::Main, language);
        const Probe& p = kProbes[probe];
        QCOMPARE(p.read(window.get()), QString::fromUtf8(czech ? p.czech : p.english));
        QCOMPARE(CurrentLanguage(), Language::English);
    }

    void tablesAreWellFormed() {
        // Texts that read the same in both languages on purpose.
        QSet<QByteArray> sameInBoth = {
            " i",   "&index  f (z)",   " Median",       " Mode",    "Median",
            "Mode", "Střední hodnota", "Směr.odchylka", "Tessavin", "OK",
            "Char", "Index x",         "Min",           "Max"};
        // The main window's symbols, and the input types' list names.
        for (const char* symbol : {"Mi", "Sigma", "N", "/", "n", "tol0", "INT"})
            sameInBoth.insert(symbol);
        for (int type = 0; type < tessavin::InputTypeCount(); ++type)
            sameInBoth.insert(tessavin::Distribution(type).name);
        // The raw data window's short labels and buttons, and its chart's symbols.
        for (const char* symbol : {"Eps", "Param", "TAB", "P(x)", "x", "x & P(x)", "INT ... x",
                                   "INT & P(x)", "Index   f(z)"})
            sameInBoth.insert(symbol);
        for (const WindowEntry& w : tessavin::Windows()) {
            const auto& table = w.captions;
            const QString window = QString::fromUtf8(w.objectName.data());
            QVERIFY2(!table.empty(), qPrintable(window));
            QSet<QString> keys;
            for (const CaptionAssignment& a : table) {
                const QString where = QStringLiteral("window %1, %2 (%3, %4)")
                                          .arg(window)
                                          .arg(a.control)
                                          .arg(a.index)
                                          .arg(a.row);
                const bool composed = a.kind == CaptionKind::Composed;
                QVERIFY2(!*a.control == (a.kind == CaptionKind::WindowCaption) || composed,
                         qPrintable(where));
                QVERIFY2(composed || (!IsEmpty(a.english) && !IsEmpty(a.czech)), qPrintable(where));
                if (a.kind == CaptionKind::Hint)
                    QVERIFY2(QByteArray(a.english.text).contains('|') &&
                                 QByteArray(a.czech.text).contains('|'),
                             qPrintable(where));
                if (composed) {
                    // The same pieces in both languages, each naming texts in both.
                    QVERIFY2(SameText(a.english, a.czech), qPrintable(where));
                    for (const Language language : {Language::English, Language::Czech}) {
                        SetLanguage(language);
                        for (const auto& piece : tessavin::ComposedPieceTexts(w.id, a))
                            QVERIFY2(!piece.empty(), qPrintable(where + " names an unknown piece"));
                    }
                    SetLanguage(Language::English);
                } else if (SameText(a.english, a.czech))
                    QVERIFY2(a.english.message || sameInBoth.contains(a.english.text),
                             qPrintable(where + " reads the same in both languages"));
                const QString key = QString::number(int(a.kind)) + ' ' + where;
                QVERIFY2(!keys.contains(key), qPrintable(where + " is set twice"));
                keys.insert(key);
            }
        }
    }

    // Every entry addresses a control of its window, or is a piece of a composed text.
    void namesControlsOfItsWindow_data() {
        QTest::addColumn<int>("id");
        for (const WindowEntry& w : tessavin::Windows())
            QTest::addRow("%s", w.objectName.data()) << int(w.id);
    }
    void namesControlsOfItsWindow() {
        QFETCH(int, id);
        const auto window = WindowId(id);
        SetLanguage(Language::English);
        tessavin::test::ScriptedInteraction dialogs; // answers whatever a window asks
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        QCOMPARE(w->objectName(), ObjectNameOf(window));
        for (const CaptionAssignment& a : CaptionTable(window)) {
            const QString name = QString::fromUtf8(a.control);
            if (!*a.control) continue; // the window
            QObject* control = w->findChild<QObject*>(name);
            if (a.kind == CaptionKind::TextPiece)
                QVERIFY2(!control, qPrintable(name + " is a control, not a piece of text"));
            else
                QVERIFY2(control, qPrintable(name + " names no control of the window"));
        }
    }

    // A window built in either language shows exactly its table's texts, and composes the texts
    // its table says it composes of the pieces named there: a control that keeps a text of its
    // own, a table entry that drifted from the control, or a composed text with a word of its
    // own fails here.
    void windowsAreBuiltWithTheirTablesTexts_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("czech");
        for (const WindowEntry& w : tessavin::Windows()) {
            QTest::addRow("%s, English", w.objectName.data()) << int(w.id) << false;
            QTest::addRow("%s, Czech", w.objectName.data()) << int(w.id) << true;
        }
    }
    void windowsAreBuiltWithTheirTablesTexts() {
        QFETCH(int, id);
        QFETCH(bool, czech);
        const auto window = WindowId(id);
        const Language language = czech ? Language::Czech : Language::English;
        tessavin::test::ScriptedInteraction dialogs;
        SetLanguage(language);
        const std::unique_ptr<QWidget> w = MakeWindow(window);
        SetLanguage(language); // messages of the table entries in the table's language
        for (const CaptionAssignment& a : CaptionTable(window)) {
            // A submenu is its menu action, as the tables address it.
            QObject* target =
                !*a.control ? static_cast<QObject*>(w.get()) : w->findChild<QAction*>(a.control);
            if (!target) target = w->findChild<QObject*>(a.control);
            if (!target || a.kind == CaptionKind::GridMarker || a.kind == CaptionKind::TextPiece)
                continue;
            if (a.kind == CaptionKind::Composed) {
                CaptionAssignment caption = a;
                caption.kind = *a.control ? CaptionKind::Caption : CaptionKind::WindowCaption;
                const QString shown = Shown(w.get(), target, caption);
                QVERIFY2(
                    !LeftOfComposedText(window, a, shown).contains(QRegularExpression("\\p{L}")),
                    qPrintable(QStringLiteral("%1: shows \"%2\", not made of the pieces \"%3\"")
                                   .arg(QString::fromUtf8(a.control), shown,
                                        QString::fromUtf8(a.english.text))));
                continue;
            }
            QString expected = QString::fromStdString(tessavin::ComposeText(a, language));
            const QString shown = Shown(w.get(), target, a);
            if (a.kind == CaptionKind::GridCell && shown.isNull()) continue;
            if (a.kind == CaptionKind::ListRefill) expected.replace('\n', '|');
            // An action without a tool tip of its own shows its text as one.
            if (a.kind == CaptionKind::Hint && expected.startsWith('|'))
                expected.prepend(shown.left(shown.indexOf('|')));
            QVERIFY2(shown == expected,
                     qPrintable(QStringLiteral("%1 (%2, %3): shows \"%4\", its table says \"%5\"")
                                    .arg(a.control)
                                    .arg(int(a.kind))
                                    .arg(a.index)
                                    .arg(shown, expected)));
        }
        const QStringList missing = TextsWithoutEntry(w.get(), window);
        QVERIFY2(missing.isEmpty(),
                 qPrintable("texts without a table entry: " + missing.join(", ")));
        SetLanguage(Language::English);
    }
};

TESSAVIN_UI_TEST(CaptionTablesTest, caption_tables_test)

#include "caption_tables_test.moc"
