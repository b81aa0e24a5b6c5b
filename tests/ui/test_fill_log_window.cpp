// The fill log from the window: a shown plan recorded, found in the log, analysed, and its
// label written as a PDF; plans that cannot be recorded and a damaged log are refused.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "fill_log/sqlite_fill_store.h"
#include "label_painting.h"
#include "test_support.h"
#include "tested_main_window.h"

namespace {

QString pdfText(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(PDFTOTEXT), {pdf, QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Closes every message box that opens while it lives, keeping their texts.
struct BoxAnswerer {
    QStringList texts;
    QTimer poll;
    BoxAnswerer() {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->objectName() + QLatin1Char(':') + box->text();
                box->accept();
            }
        });
        poll.start(10);
    }
};

template <class T> T* in(QWidget* dialog, const char* name) {
    return testsupport::child<T>(*dialog, name);
}

// Typed as a user would: selectFile() waits on the dialog loading the file's folder.
void chooseFile(QWidget* dialog, const QString& path) {
    in<QLineEdit>(dialog, "fileNameEdit")->setText(path);
    static_cast<QDialog*>(dialog)->accept();
}

} // namespace

class FillLogWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    std::unique_ptr<TestedMainWindow> form;

    QString logFile() const { return folder_.filePath(QStringLiteral("fills.sqlite")); }
    QAction* action(const char* name) const { return testsupport::child<QAction>(*form, name); }

    void planNitrox32() {
        form->txtSourcePSI->setText(QStringLiteral("0"));
        form->txtTargetPSI->setText(QStringLiteral("3000"));
        form->txtTargetO2->setText(QStringLiteral("32"));
        form->txtTargetHe->setText(QStringLiteral("0"));
        form->cmdCalc->click();
    }

    // The recording dialog filled in as a blender would; returns the boxes it showed.
    QStringList recordFill(const QString& customer = QStringLiteral("Ann"),
                           const QString& hydroTest = QString()) {
        BoxAnswerer boxes;
        testsupport::respondToNextModal(
            [&] { action("mnuRecordFill")->trigger(); },
            [&](QWidget* dialog) {
                in<QLineEdit>(dialog, "txtCustomer")->setText(customer);
                in<QLineEdit>(dialog, "txtCylinderSerial")->setText("S-1");
                in<QLineEdit>(dialog, "txtHydroTest")->setText(hydroTest);
                in<QLineEdit>(dialog, "txtBlender")->setText("Bo");
                in<QCheckBox>(dialog, "chkOxygenClean")->setChecked(true);
                in<QPushButton>(dialog, "cmdRecord")->click();
                // A refused entry keeps the dialog open.
                if (dialog->isVisible())
                    in<QPushButton>(dialog, "cmdCancel")->click();
            });
        return boxes.texts;
    }

    // Opens View > Fill log and hands the log's dialog to `use`, which closes it.
    void inFillLog(const std::function<void(QWidget*)>& use) {
        QVERIFY(testsupport::respondToNextModal([&] { action("mnuFillLog")->trigger(); }, use));
    }

    std::size_t storedFills() const {
        return quillan::filllog::SqliteFillStore(logFile().toStdString()).list({}).size();
    }

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::registerComponentLibrary());
        QSettings(QStringLiteral("Quillan"), QStringLiteral("Quillan1"))
            .setValue(QStringLiteral("log/file"), logFile());
    }
    void init() {
        QFile::remove(logFile());
        form = std::make_unique<TestedMainWindow>();
        form->show();
    }
    void cleanup() { form.reset(); }

    void refusesAPlanItCannotRecord_data() {
        QTest::addColumn<QString>("targetO2");
        QTest::addColumn<QString>("typedAfter");
        QTest::addColumn<QString>("says");
        QTest::newRow("nothing calculated") << QString() << QString() << "no plan to record";
        QTest::newRow("mix not possible") << "5" << QString() << "no plan to record";
        QTest::newRow("mix typed after calculating") << "32"
                                                     << "6"
                                                     << "out of date";
    }
    void refusesAPlanItCannotRecord() {
        QFETCH(QString, targetO2);
        QFETCH(QString, typedAfter);
        QFETCH(QString, says);
        if (!targetO2.isEmpty()) {
            planNitrox32();
            form->txtTargetO2->setText(targetO2);
            form->cmdCalc->click();
        }
        QTest::keyClicks(form->txtTargetHe, typedAfter);
        const auto box = testsupport::closeNextModal([&] { action("mnuRecordFill")->trigger(); });
        QVERIFY(box);
        QCOMPARE(box->objectName, QStringLiteral("msgRecordFill"));
        QVERIFY2(box->text.contains(says), qPrintable(box->text));
        QVERIFY(!QFile::exists(logFile()));
    }

    void badDetailsStoreNothing_data() {
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("hydroTest");
        QTest::addColumn<QString>("says");
        QTest::newRow("no customer") << QString() << QString() << "the customer is required";
        QTest::newRow("hydro test in the future")
            << "Ann"
            << "2999-01-01"
            << "the last hydrostatic test 2999-01-01 is in the future";
        QTest::newRow("hydro test not a date") << "Ann"
                                               << "1.3.2025"
                                               << "a date is YYYY-MM-DD";
    }
    void badDetailsStoreNothing() {
        QFETCH(QString, customer);
        QFETCH(QString, hydroTest);
        QFETCH(QString, says);
        planNitrox32();
        const QStringList boxes = recordFill(customer, hydroTest);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith(QStringLiteral("msgFillLog:")) && boxes[0].contains(says) &&
                     boxes[0].endsWith(QStringLiteral("; nothing was stored.")),
                 qPrintable(boxes[0]));
        QCOMPARE(storedFills(), 0u);
    }

    void exportsTheLogAsCsv_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::newRow("into a folder") << "fills.csv" << true;
        QTest::newRow("into a missing folder") << "missing/fills.csv" << false;
    }
    void exportsTheLogAsCsv() {
        QFETCH(QString, name);
        QFETCH(bool, written);
        planNitrox32();
        recordFill();
        const QString csv = folder_.filePath(name);
        QStringList boxes;
        inFillLog([&](QWidget* log) {
            BoxAnswerer answerer;
            testsupport::respondToNextModal([&] { in<QPushButton>(log, "cmdExportCsv")->click(); },
                                            [&](QWidget* dialog) { chooseFile(dialog, csv); });
            boxes = answerer.texts;
            in<QPushButton>(log, "cmdCloseLog")->click();
        });
        QFile file(csv);
        QCOMPARE(file.open(QIODevice::ReadOnly), written);
        if (written)
            QVERIFY(file.readAll().contains(",Bo,Ann,S-1,"));
        else
            QVERIFY2(boxes.value(0).startsWith(QStringLiteral("msgFillLog:Could not write ") + csv),
                     qPrintable(boxes.join('\n')));
    }

    void recordsFindsAnalysesAndLabelsAFill() {
        planNitrox32();
        QCOMPARE(recordFill(), QStringList{"msgRecordFill:Recorded as fill 1."});
        const QString pdf = folder_.filePath(QStringLiteral("label.pdf"));
        inFillLog([&](QWidget* log) {
            auto* table = in<QTableView>(log, "tblFills");
            QCOMPARE(table->model()->rowCount(), 1);
            QCOMPARE(table->model()->index(0, 2).data().toString(), QStringLiteral("Ann"));
            in<QLineEdit>(log, "txtFillSearch")->setText(QStringLiteral("bea"));
            QCOMPARE(table->model()->rowCount(), 0);
            in<QLineEdit>(log, "txtFillSearch")->setText(QStringLiteral("s-1"));
            QCOMPARE(table->model()->rowCount(), 1);
            table->setCurrentIndex(table->model()->index(0, 0));
            testsupport::respondToNextModal(
                [&] { in<QPushButton>(log, "cmdOpenFill")->click(); },
                [&](QWidget* fill) {
                    in<QDoubleSpinBox>(fill, "spnAnalysedO2")->setValue(31.8);
                    in<QLineEdit>(fill, "txtAnalyst")->setText(QStringLiteral("Cy"));
                    in<QPushButton>(fill, "cmdStoreAnalysis")->click();
                    testsupport::respondToNextModal(
                        [&] { in<QPushButton>(fill, "cmdLabelPdf")->click(); },
                        [&](QWidget* dialog) { chooseFile(dialog, pdf); });
                    in<QPushButton>(fill, "cmdCloseFill")->click();
                });
            QCOMPARE(table->model()->index(0, 5).data().toString(), QStringLiteral("31.8/0.0"));
            in<QPushButton>(log, "cmdCloseLog")->click();
        });
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Nitrox 32")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("MOD 111 fsw (PO2 1.4)")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("132 fsw (PO2 1.6)")), qPrintable(text));
    }

    void showsWhetherTheAnalysisIsInTolerance_data() {
        QTest::addColumn<double>("o2");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<bool>("correcting");
        QTest::newRow("within a point") << 31.2 << "Within tolerance." << false;
        QTest::newRow("two points lean")
            << 30.0 << "OUT OF TOLERANCE: see the plan that corrects it below." << true;
    }
    void showsWhetherTheAnalysisIsInTolerance() {
        QFETCH(double, o2);
        QFETCH(QString, verdict);
        QFETCH(bool, correcting);
        planNitrox32();
        recordFill();
        inFillLog([&](QWidget* log) {
            auto* table = in<QTableView>(log, "tblFills");
            table->setCurrentIndex(table->model()->index(0, 0));
            testsupport::respondToNextModal(
                [&] { in<QPushButton>(log, "cmdOpenFill")->click(); },
                [&](QWidget* fill) {
                    // A label states what the analyser read: none before a reading.
                    auto* labelPdf = in<QPushButton>(fill, "cmdLabelPdf");
                    auto* printLabel = in<QPushButton>(fill, "cmdPrintLabel");
                    QVERIFY(!labelPdf->isEnabled() && !printLabel->isEnabled());
                    in<QDoubleSpinBox>(fill, "spnAnalysedO2")->setValue(o2);
                    in<QLineEdit>(fill, "txtAnalyst")->setText(QStringLiteral("Cy"));
                    in<QPushButton>(fill, "cmdStoreAnalysis")->click();
                    QVERIFY(labelPdf->isEnabled() && printLabel->isEnabled());
                    QCOMPARE(in<QLabel>(fill, "lblVerdict")->text(), verdict);
                    const QStringList lines =
                        testsupport::listLines(in<QListWidget>(fill, "lstFill"));
                    QCOMPARE(lines.contains(QStringLiteral("To correct it:")), correcting);
                    in<QPushButton>(fill, "cmdCloseFill")->click();
                });
            in<QPushButton>(log, "cmdCloseLog")->click();
        });
    }

    void labelPdfHasThePaperChosen_data() {
        QTest::addColumn<labelpdf::LabelPaper>("paper");
        QTest::addColumn<QString>("pageSize");
        QTest::newRow("label 100 x 50 mm") << labelpdf::LabelPaper::Label100x50 << "283 x 142 pts";
        QTest::newRow("A4") << labelpdf::LabelPaper::A4 << "595 x 842 pts";
    }
    void labelPdfHasThePaperChosen() {
        QFETCH(labelpdf::LabelPaper, paper);
        QFETCH(QString, pageSize);
        const QString pdf = folder_.filePath(QStringLiteral("paper.pdf"));
        QString error;
        QVERIFY2(labelpdf::writeLabelPdf(pdf, paper, {QStringLiteral("Trimix 21/35"), {}}, &error),
                 qPrintable(error));
        QProcess pdfinfo;
        pdfinfo.start(QStringLiteral(PDFINFO), {pdf});
        QVERIFY(pdfinfo.waitForFinished(30000));
        const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
        QVERIFY2(info.contains(QStringLiteral("Page size:       ") + pageSize), qPrintable(info));
        QVERIFY(pdfText(pdf).contains(QStringLiteral("Trimix 21/35")));
    }

    void aDamagedLogIsNamedAndLeftAlone() {
        const QByteArray garbage(2048, 'Q');
        QFile damaged(logFile());
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(garbage);
        damaged.close();
        planNitrox32();
        const QStringList boxes = recordFill() + [&] {
            BoxAnswerer answerer;
            action("mnuFillLog")->trigger();
            return answerer.texts;
        }();
        QCOMPARE(boxes.size(), 2);
        for (const QString& box : boxes)
            QVERIFY2(box.startsWith(QStringLiteral("msgFillLog:") + logFile() +
                                    QStringLiteral(": the fill log is damaged")),
                     qPrintable(box));
        QVERIFY(damaged.open(QIODevice::ReadOnly));
        QCOMPARE(damaged.readAll(), garbage);
    }
};

QTEST_MAIN(FillLogWindowTest)
#include "test_fill_log_window.moc"
