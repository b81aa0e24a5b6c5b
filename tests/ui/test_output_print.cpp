// "Print...": the list in 10-point Courier, one inch from the left and top of the
// printable area, checked in a PDF through pdftotext's word boxes.
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "controls/clickable_label.h"
#include "instructions/instructions_output.h"
#include "instructions/print_layout.h"
#include "test_fields_support.h"
#include "test_support.h"
#include "tested_main_window.h"

using fieldtest::errorReport;
using fieldtest::ModalCloser;

namespace {

struct Word {
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    QString text;
};

// The words of the first page with their boxes, in points from the page's top left.
QList<Word> wordsOf(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(PDFTOTEXT), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000))
        return {};
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        words.append({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

void pdfPrinter(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

} // namespace

class OutputPrintTest : public QObject {
    Q_OBJECT

  private slots:
    // Room for 50 hyphens and a little more: a separator is cut to them, text never is.
    void linesOnTheWidthOfThePage() {
        const QString separator(109, QLatin1Char('-'));
        const QFontMetricsF metrics(QFont(QStringLiteral("Courier")));
        const double width = metrics.horizontalAdvance(separator.left(50)) + 0.5;
        for (const auto& [line, printed] : {std::pair{separator, separator.left(50)},
                                            {separator.left(20), separator.left(20)},
                                            {QString(60, 'x'), QString(60, 'x')}})
            QCOMPARE(instructions::printedLine(line, metrics, width), printed);
    }

    void printsCourierOneInchFromTheEdges() {
        if (!QFile::exists(QStringLiteral(PDFTOTEXT)))
            QFAIL("pdftotext (poppler-utils) is needed to read the printed page");
        auto w = fieldtest::openMainWindow();
        w->lstBlendingInstructions->clear();
        w->lstBlendingInstructions->addItems({QStringLiteral("Quillan report"), QString(),
                                              QStringLiteral("Add 418 PSI of O2"),
                                              QStringLiteral("END")});
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, path);
        const QRectF printable = printer.pageRect(QPrinter::Point);
        ModalCloser closer;
        printInstructions(*w->lstBlendingInstructions, &printer);
        QVERIFY(closer.seen.isEmpty());

        const QList<Word> words = wordsOf(path);
        QStringList texts;
        for (const Word& word : words)
            texts << word.text;
        QCOMPARE(texts, (QStringList{"Quillan", "report", "Add", "418", "PSI", "of", "O2", "END"}));

        const Word& first = words[0];
        QVERIFY2(
            qAbs(first.xMin - (printable.left() + 72.0)) < 1.0,
            qPrintable(
                QStringLiteral("x %1, printable left %2").arg(first.xMin).arg(printable.left())));
        // The line's box starts at the top of the font's ascent: one inch below the top.
        QVERIFY2(
            qAbs(first.yMin - (printable.top() + 72.0)) < 1.5,
            qPrintable(
                QStringLiteral("y %1, printable top %2").arg(first.yMin).arg(printable.top())));
        // 10-point Courier: every character 6 points wide, a line about 10 to 12 points high.
        QVERIFY(qAbs((first.xMax - first.xMin) - 7 * 6.0) < 0.5);
        const double lineStep = words[2].yMin - first.yMin; // the empty line lies between
        QVERIFY2(lineStep > 2 * 10.0 && lineStep < 2 * 13.0, qPrintable(QString::number(lineStep)));
        QVERIFY(qAbs(words[7].yMin - words[2].yMin - lineStep / 2) < 0.5);
        for (const Word& word : {words[2], words[7]})
            QVERIFY(qAbs(word.xMin - first.xMin) < 0.5);
        QCOMPARE(w->lstBlendingInstructions->count(), 4);
    }

    void emptyListPrintsNothing() {
        auto w = fieldtest::openMainWindow();
        w->lstBlendingInstructions->clear();
        QTemporaryDir folder;
        QPrinter printer;
        pdfPrinter(printer, folder.filePath(QStringLiteral("out.pdf")));
        ModalCloser closer;
        printInstructions(*w->lstBlendingInstructions, &printer);
        QVERIFY(closer.seen.isEmpty());
        QVERIFY(!QFile::exists(printer.outputFileName()));
    }

    void printerFailureIsReported() {
        auto w = fieldtest::openMainWindow();
        QPrinter printer;
        pdfPrinter(printer, QStringLiteral("/nonexistent-folder/out.pdf"));
        ModalCloser closer;
        printInstructions(*w->lstBlendingInstructions, &printer);
        QCOMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.seen[0].title, QStringLiteral("Application Error"));
        QCOMPARE(closer.seen[0].text, errorReport(QStringLiteral("cmdPrint_Click"), 482,
                                                  QStringLiteral("Could not start printing on "
                                                                 "/nonexistent-folder/out.pdf.")));
    }

    // Without a printer, Print offers the print dialog set to write a PDF file; with one,
    // it prints there as before and asks nothing. The dialog is stood in for, so no modal
    // window waits for a user.
    void printerChoice_data() {
        QTest::addColumn<bool>("hasPrinter");
        QTest::addColumn<bool>("userPrints");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<bool>("pdfWritten");
        QTest::newRow("no printer, PDF chosen") << false << true << 1 << true;
        QTest::newRow("no printer, dialog cancelled") << false << false << 1 << false;
        QTest::newRow("default printer") << true << true << 0 << false;
    }

    void printerChoice() {
        QFETCH(bool, hasPrinter);
        QFETCH(bool, userPrints);
        QFETCH(int, dialogs);
        QFETCH(bool, pdfWritten);
        if (hasPrinter && !QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer; the test would print on it");
        auto w = fieldtest::openMainWindow();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("chosen.pdf"));
        int shown = 0;
        bool offeredAsPdf = true;
        PrinterAccess access;
        access.hasDefaultPrinter = [hasPrinter] { return hasPrinter; };
        access.choosePrinter = [&](QPrinter& printer, QWidget* parent) {
            ++shown;
            // Offered as a PDF file, over the window.
            offeredAsPdf = printer.outputFormat() == QPrinter::PdfFormat &&
                           printer.outputFileName().endsWith(QStringLiteral(".pdf")) &&
                           parent == w.get();
            printer.setOutputFileName(path);
            return userPrints;
        };
        ModalCloser closer;
        printInstructions(*w->lstBlendingInstructions, access);
        QCOMPARE(shown, dialogs);
        QVERIFY(offeredAsPdf);
        QCOMPARE(QFile::exists(path), pdfWritten);
        if (pdfWritten) {
            QVERIFY(closer.seen.isEmpty());
            if (QFile::exists(QStringLiteral(PDFTOTEXT)))
                QCOMPARE(wordsOf(path).value(0).text, QStringLiteral("Quillan"));
        }
        if (!userPrints)
            QVERIFY(closer.seen.isEmpty()); // cancelling is the user's choice, not a failure
    }

    // File > Print... (Ctrl+P) runs the same command: here, without a printer, the print
    // dialog comes up.
    void ctrlPOffersThePrintDialog() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer; the test would print on it");
        auto w = fieldtest::openMainWindow();
        QString seen;
        const bool responded = testsupport::respondToNextModal(
            [&] { fieldtest::pressKey(w.get(), Qt::Key_P, Qt::ControlModifier); },
            [&](QWidget* modal) {
                seen = QString::fromLatin1(modal->metaObject()->className());
                qobject_cast<QDialog*>(modal)->reject();
            });
        QVERIFY(responded);
        QCOMPARE(seen, QStringLiteral("QPrintDialog"));
    }
};

QTEST_MAIN(OutputPrintTest)
#include "test_output_print.moc"
