// Save report (PDF)…: offered after a calculation and withdrawn with new inputs, the report of
// the study on screen written where the user chose, read back with the poppler tools; an
// unwritable target leaves nothing behind.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "../report/pdf_tools.h"
#include "calculation/model.h"
#include "common/sha256.h"
#include "main_window_fixture.h"
#include "rawdata/fit_ranking.h"
#include "ui/rawdata/raw_data_window.h"
#include "ui_test_registry.h"

using namespace tessavin;
using namespace tessavin::ui;

class StudyReportTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    QTemporaryDir folder_;

    QAction* reportItem() const { return find<QAction>("UlozZpravu"); }
    QString path(const QString& name) const { return folder_.filePath(name); }

    void saveReportAs(const QString& file) {
        dialogs->clear();
        dialogs->files.push_back(file);
        reportItem()->trigger();
    }
    std::string pdfText(const QString& file) const {
        return test::Squeezed(test::PdfText(file.toStdString()));
    }
    bool folderHoldsOnly(const QStringList& names) const {
        return QDir(folder_.path())
                   .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) == names;
    }

  private slots:
    void init() {
        QVERIFY(folder_.isValid());
        openMainWindow();
    }
    void cleanup() {
        closeMainWindow();
        QDir(folder_.path()).removeRecursively();
        QDir().mkpath(folder_.path());
    }

    void offeredAfterACalculationAndWithdrawnByNewInputs() {
        QVERIFY(!reportItem()->isEnabled());
        calculateShortStudy();
        QVERIFY(reportItem()->isEnabled());
        typeAndLeave("EdRokKon", "60");
        QVERIFY(!reportItem()->isEnabled());
    }

    void writesTheStudyOnScreenInBothLanguages() {
        edit("EdProjekt")->setText("Bridge 7");
        calculateShortStudy();
        const QString english = path("en.pdf");
        saveReportAs(english);
        QCOMPARE(dialogs->fileRequests.size(), std::size_t(1));
        QCOMPARE(dialogs->fileRequests[0].suggestedName, QString("Bridge 7.pdf"));
        QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join('\n')));

        int exitCode = -1;
        const std::string info =
            test::Capture("pdfinfo " + test::Quoted(english.toStdString()), &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY(info.find("(A4)") != std::string::npos);
        const std::string text = pdfText(english);
        const std::string sentence = test::Squeezed(find<QLabel>("LProhl")->text().toStdString());
        QVERIFY(!sentence.empty());
        QVERIFY2(text.find(sentence) != std::string::npos, sentence.c_str());
        QVERIFY(text.find("Bridge 7") != std::string::npos);
        const auto defaults = DefaultRandomFields(); // returned by value: held for the loop
        for (int k = 1; k <= RandomInputCount; ++k) {
            // Mi and Sigma side by side in the input's row.
            const auto& f = defaults[k];
            const std::string row = " " + f.mi + " " + f.sigma + " ";
            QVERIFY2(text.find(row) != std::string::npos, row.c_str());
        }
        QVERIFY(text.find("Inspection plan") != std::string::npos);

        w->switchLanguage(Language::Czech);
        const QString czech = path("cs.pdf");
        saveReportAs(czech);
        QVERIFY(pdfText(czech).find("Plán prohlídek") != std::string::npos);
        QVERIFY(folderHoldsOnly({"cs.pdf", "en.pdf"}));
    }

    // Saved, the study's hash is of the project file; before, of the project as it would be
    // saved, and the report says it was not saved.
    void fingerprintsTheProjectAsSaved() {
        calculateShortStudy();
        saveReportAs(path("unsaved.pdf"));
        QVERIFY(pdfText(path("unsaved.pdf")).find("not saved") != std::string::npos);

        dialogs->files.push_back(path("study.Vys"));
        find<QAction>("Ulozit1")->trigger();
        QFile project(path("study.Vys"));
        QVERIFY(project.open(QIODevice::ReadOnly));
        const QByteArray bytes = project.readAll();
        saveReportAs(path("saved.pdf"));
        const std::string text = pdfText(path("saved.pdf"));
        QVERIFY(text.find("study.Vys") != std::string::npos);
        QVERIFY(text.find(Sha256Hex({bytes.constData(), std::size_t(bytes.size())})) !=
                std::string::npos);
    }

    // Input 3 from measured data: the report names the file, its count and the fit the raw data
    // window handed over, with the fit's goodness on the sample.
    void namesAMeasuredInputsFileAndFit() {
        edit("EdPocetIntervalu")->setText("16"); // before the raw data: a new count rebuilds
        auto* source = find<QComboBox>(InputControls(3).source);
        source->setCurrentIndex(1);
        emit source->activated(1);
        RawDataWindow* raw = w->rawDataWindow();
        dialogs->files.push_back(
            QStringLiteral(TESSAVIN_TEST_DATA "/rawdata/yield_strength_100.txt"));
        test::Control<QToolButton>(raw, "OpenData")->click();
        QVERIFY(raw->hasSample());
        test::Control<QPushButton>(raw, "BuParam")->click();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "TForm5") top->close(); // the table of suitable histograms
        const std::string fit = FitTypeName(raw->ranking().entries[0].type);
        test::Control<QToolButton>(raw, "BitBtn1")->click();
        QVERIFY(!raw->isVisible());

        calculateShortStudy();
        saveReportAs(path("measured.pdf"));
        const std::string text =
            test::Squeezed(test::PdfText(path("measured.pdf").toStdString(), 0, true));
        const std::string says =
            "measured data; file yield_strength_100.txt; 100 values; chosen fit " + fit +
            "; goodness of fit KS D = ";
        const auto at = text.find("measured data");
        QVERIFY(at != std::string::npos);
        QVERIFY2(text.find(says) != std::string::npos, text.substr(at, 200).c_str());
        QVERIFY(text.find(", AIC = ") != std::string::npos);
    }

    void anUnwritableTargetLeavesNoFile() {
        calculateShortStudy();
        saveReportAs(path("missing/report.pdf"));
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY(dialogs->boxes[0].text.contains("The report was not written"));
        // A folder in the file's place: the save fails at the rename, the temporary file goes.
        QVERIFY(QDir().mkpath(path("taken.pdf")));
        saveReportAs(path("taken.pdf")); // the overwrite question, answered Yes, then the error
        QCOMPARE(dialogs->boxes.size(), std::size_t(2));
        QVERIFY(dialogs->boxes[1].text.contains("The report was not written"));
        QVERIFY(folderHoldsOnly({"taken.pdf"}));
        QVERIFY(QFileInfo(path("taken.pdf")).isDir());
    }
};

TESSAVIN_UI_TEST(StudyReportTest, study_report_test)
#include "study_report_test.moc"
