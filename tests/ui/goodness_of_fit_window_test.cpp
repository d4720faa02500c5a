// The goodness of fit on the desktop: the columns of the table of suitable histograms behind
// their tick, sorting by them, their values against the engine's, the reasons of missing
// values, Break of the bootstrap, and the probability plots of a fitted distribution.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "goodness/goodness_of_fit.h"
#include "goodness/probability_plot.h"
#include "localisation/language.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/suitable_table.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/probability_plot_view.h"
#include "ui/rawdata/suitable_histograms_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using namespace tessavin;
using namespace tessavin::ui;
using tessavin::test::Control;

namespace {

// The goodness columns follow the twelve of the table, in the order loglik, AIC, BIC, KS D,
// KS p, AD A², AD p, CvM W²; their sort keys follow the nine characteristics.
constexpr int FirstColumn = 12;
constexpr int AicColumn = 13, KsPColumn = 16, AdPColumn = 18;
constexpr int AicKey = 11;

struct Ranked {
    RankedSample source;
    FitContext context;
    FitRanking ranking;
};

Ranked Rank(const RawSample& sample, int intervals) {
    FitSettings settings;
    settings.intervals = intervals;
    settings.min = ThroughDisplayText(sample.minimum);
    settings.max = ThroughDisplayText(sample.maximum);
    FitContext context = std::get<FitContext>(FitContext::Make(sample, settings));
    FitRanking ranking = RankParametricFits(context);
    return Ranked{{sample, settings}, std::move(context), std::move(ranking)};
}

// 120 values at the quantiles of Weibull k = 1.6, lambda = 10, in 12 classes.
const Ranked& Weibull120() {
    static const Ranked r = [] {
        auto read = ReadRawDataFile(TESSAVIN_TEST_DATA "/rawdata/weibull_120.txt");
        return Rank(std::get<RawSample>(read), 12);
    }();
    return r;
}

std::vector<GoodnessOfFit> EngineStatistics(const Ranked& r) {
    return MeasureRanking(r.context, r.source.sample, r.ranking, 1);
}

} // namespace

class GoodnessOfFitWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString ini() const { return dir_.filePath("Tessavin.INI"); }

    // The window opened on a ranking with its sample, the goodness columns ticked and the
    // bootstrap at `draws`.
    std::unique_ptr<SuitableHistogramsWindow> open(const Ranked& r, int draws) {
        auto w = std::make_unique<SuitableHistogramsWindow>(nullptr, ini());
        Control<QSpinBox>(w.get(), "SpinEdDraws")->setValue(draws);
        w->open(r.ranking, r.context, r.source);
        Control<QCheckBox>(w.get(), "ChBGoodness")->setChecked(true);
        return w;
    }

  private slots:
    void init() {
        SetLanguage(Language::English);
        QFile::remove(ini());
    }

    void tickShowsTheColumnsAndIsKept() {
        const Ranked& r = Weibull120();
        {
            SuitableHistogramsWindow w(nullptr, ini());
            w.open(r.ranking, r.context, r.source);
            auto* grid = Control<StringGrid>(&w, "SGChar");
            auto* tick = Control<QCheckBox>(&w, "ChBGoodness");
            auto* keys =
                qobject_cast<QStandardItemModel*>(Control<QComboBox>(&w, "CBTypVyberu")->model());
            QVERIFY(!tick->isChecked()); // the table's own layout first
            for (int c = FirstColumn; c < FirstColumn + 8; ++c)
                QVERIFY(grid->isColumnHidden(c));
            QVERIFY(!keys->item(AicKey)->isEnabled());
            QVERIFY(!grid->isColumnHidden(11));

            Control<QSpinBox>(&w, "SpinEdDraws")->setValue(0); // no bootstrap to wait for
            tick->setChecked(true);
            for (int c = FirstColumn; c < FirstColumn + 8; ++c)
                QVERIFY(!grid->isColumnHidden(c));
            QVERIFY(keys->item(AicKey)->isEnabled());
            QCOMPARE(grid->cell(AicColumn, 0), QString(" AIC"));
            w.close();
        }
        SuitableHistogramsWindow again(nullptr, ini());
        QVERIFY(Control<QCheckBox>(&again, "ChBGoodness")->isChecked());
        QVERIFY(!Control<StringGrid>(&again, "SGChar")->isColumnHidden(AicColumn));
        QCOMPARE(Control<QSpinBox>(&again, "SpinEdDraws")->value(), 0);
    }

    void valuesAreTheEnginesAndSortByAicAsItDoes() {
        const Ranked& r = Weibull120();
        const auto w = open(r, 0);
        auto* grid = Control<StringGrid>(w.get(), "SGChar");
        const std::vector<GoodnessOfFit> engine = EngineStatistics(r);
        QCOMPARE(int(engine.size()), r.ranking.acceptedCount());
        const auto of = [&](DistributionType t) {
            return *std::find_if(engine.begin(), engine.end(),
                                 [t](const GoodnessOfFit& g) { return g.type == t; });
        };
        // Six significant digits of the engine's values.
        for (int p = 1; p <= int(engine.size()); ++p) {
            const GoodnessOfFit& g = of(*w->table().typeAt(p));
            const double expected[] = {g.logLikelihood, g.aic, g.bic, g.edf.ks};
            for (int k = 0; k < 4; ++k) {
                const double shown = CellValue(grid->cell(FirstColumn + k, p).toStdString());
                QVERIFY2(std::abs(shown - expected[k]) <= 1e-5 * std::abs(expected[k]),
                         qPrintable(grid->cell(FirstColumn + k, p)));
            }
        }
        // No draws: the p-values are missing, with the reason and never a "nan".
        QCOMPARE(grid->cell(KsPColumn, 1), QString("–"));
        QCOMPARE(grid->item(1, KsPColumn)->toolTip(), Q(TextCis(msg::GoodnessNoDraws)));
        w->applyLanguage(Language::Czech);
        QCOMPARE(grid->item(1, KsPColumn)->toolTip(),
                 QString("Žádné losování bootstrapu (jejich počet je 0)"));
        w->applyLanguage(Language::English);

        // AIC ascending, equal values in tightness order: the order of `fit --sort aic`.
        std::vector<GoodnessOfFit> sorted = engine;
        std::stable_sort(
            sorted.begin(), sorted.end(),
            [](const GoodnessOfFit& a, const GoodnessOfFit& b) { return a.aic < b.aic; });
        Control<QComboBox>(w.get(), "CBTypVyberu")->setCurrentIndex(AicKey);
        for (int p = 1; p <= int(sorted.size()); ++p) {
            QCOMPARE(w->table().typeAt(p), sorted[p - 1].type);
            QCOMPARE(grid->cell(1, p), Q(FitTypeName(sorted[p - 1].type)));
        }
        // Unticked, the goodness keys go and the table is sorted by tightness again.
        Control<QCheckBox>(w.get(), "ChBGoodness")->setChecked(false);
        QCOMPARE(Control<QComboBox>(w.get(), "CBTypVyberu")->currentIndex(), 1);
        QCOMPARE(w->table().typeAt(1), r.ranking.entries[0].type);
    }

    void bootstrapPValuesAndTheirReasons() {
        // Five values: the bootstrap runs; four: every p-value is missing, with the reason.
        const std::vector<double> five = {8, 9.5, 10, 10.5, 12}, four = {8, 9.5, 10, 12};
        for (const std::vector<double>* v : {&five, &four}) {
            const int n = static_cast<int>(v->size());
            const Ranked r = Rank(SampleOfValues(*v), 3);
            QVERIFY(r.ranking.acceptedCount() > 0);
            const auto w = open(r, 20);
            QTRY_VERIFY(!w->goodness().running());
            auto* grid = Control<StringGrid>(w.get(), "SGChar");
            const QString ks = grid->cell(KsPColumn, 1);
            if (n < 5) {
                QCOMPARE(ks, QString("–"));
                QCOMPARE(grid->item(1, KsPColumn)->toolTip(),
                         Q(FormatMessage(TextCis(msg::GoodnessFewValues), "5")));
            } else {
                const double p = CellValue(ks.toStdString());
                QVERIFY2(p > 0 && p <= 1, qPrintable(ks));
            }
            for (int c = FirstColumn; c < FirstColumn + 8; ++c)
                QVERIFY(!grid->cell(c, 1).contains("nan") && !grid->cell(c, 1).contains("inf"));
        }
    }

    void breakLeavesTheStatisticsWithoutPValues() {
        const Ranked& r = Weibull120();
        const auto w = open(r, 100000);
        auto* stop = Control<QPushButton>(w.get(), "BPrerus");
        QVERIFY(w->goodness().running());
        QVERIFY(!stop->isHidden());
        QVERIFY(!Control<QProgressBar>(w.get(), "PBBootstrap")->isHidden());
        QTest::qWait(100); // the window answers while the worker draws
        stop->click();
        QTRY_VERIFY(!w->goodness().running());
        QVERIFY(stop->isHidden());
        auto* grid = Control<StringGrid>(w.get(), "SGChar");
        for (const int c : {KsPColumn, AdPColumn}) {
            QCOMPARE(grid->cell(c, 1), QString("–"));
            QCOMPARE(grid->item(1, c)->toolTip(), Q(TextCis(msg::GoodnessStopped)));
        }
        QVERIFY(CellValue(grid->cell(AicColumn, 1).toStdString()) != 0);
    }

    void probabilityPlotsOfASampleAtTheFittedQuantiles() {
        std::string reason;
        const auto d = FittedDistribution::Make(dist::Normal, {0, 10, 2, 0, 0}, 10, 2, reason);
        QVERIFY(d);
        constexpr int n = 40;
        std::vector<double> sample;
        for (int i = 0; i < n; ++i)
            sample.push_back(d->quantile((i + 0.5) / n));
        ProbabilityPlotView view(nullptr);
        view.resize(400, 300);
        // Q–Q exactly on the line; P–P within the quantile table's interpolation.
        for (const auto& [kind, tolerance] : {std::pair{PlotKind::QuantileQuantile, 0.0},
                                              std::pair{PlotKind::ProbabilityProbability, 1e-4}}) {
            view.showPoints(kind, ProbabilityPlot(*d, sample, kind));
            QCOMPARE(view.pointCount(), n);
            for (int i = 0; i < n; ++i)
                QVERIFY(std::abs(view.point(i).x() - view.point(i).y()) <= tolerance);
            QCOMPARE(view.lineStart().x(), view.lineStart().y());
            QCOMPARE(view.lineEnd().x(), view.lineEnd().y());
            QVERIFY(view.lineStart().x() <= view.point(0).x());
            QVERIFY(view.lineEnd().x() >= view.point(n - 1).x());
        }
        QVERIFY(!view.axisTitle(Qt::Horizontal).isEmpty());
        const QString picture = dir_.filePath("pp.svg");
        QVERIFY(view.savePicture(picture));
        QFile f(picture);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll().contains("<svg"));
    }
};

TESSAVIN_UI_TEST(GoodnessOfFitWindowTest, goodness_of_fit_window_test)

#include "goodness_of_fit_window_test.moc"
