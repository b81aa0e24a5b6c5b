// Random typing and focus moves over the whole main window: every handler finishes, no
// box stays open, and every editable field but the focused one reads as a number.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>

#include <random>

#include "fields/focus_validation.h"
#include "fields/number_text.h"
#include "test_fields_support.h"
#include "tested_main_window.h"

using fieldtest::click;
using fieldtest::ModalCloser;
using fieldtest::pressKey;
using fieldtest::typeText;

namespace {

constexpr int kSteps = 2500;

QString randomEntry(std::mt19937& random) {
    static const QStringList pieces{"0",  "1",  "2",  "3",   "5",    "7",   "9",
                                    "21", "32", "50", "100", "4500", "132", ".",
                                    ".5", "-",  " ",  "e",   "x",    "1e3", "99999"};
    std::uniform_int_distribution<int> count(0, 3);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(pieces.size()) - 1);
    QString text;
    for (int i = count(random); i > 0; --i)
        text += pieces[pick(random)];
    return text;
}

} // namespace

class FieldsRandomTest : public QObject {
    Q_OBJECT

  private slots:
    void randomFocusAndTyping() {
        auto w = fieldtest::openMainWindow();
        auto* validation = w->findChild<FocusValidation*>();
        QVERIFY(validation != nullptr);
        const QList<QLineEdit*> editable{w->txtSourcePSI,   w->txtSourceO2, w->txtSourceHe,
                                         w->txtTargetPSI,   w->txtTargetO2, w->txtTargetHe,
                                         w->txtTargetDepth, w->txtTopO2};
        const QList<QWidget*> clickable{w->txtSourcePSI,   w->txtSourceO2,
                                        w->txtSourceHe,    w->txtTargetPSI,
                                        w->txtTargetO2,    w->txtTargetHe,
                                        w->txtTargetDepth, w->txtTopO2,
                                        w->txtTopN,        w->lstBlendingInstructions->viewport(),
                                        w->cmdCalc,        w->cmdTopWithAir};

        // FIELDS_RANDOM_SEED replays a reported run.
        bool seeded = false;
        const unsigned replay = qEnvironmentVariable("FIELDS_RANDOM_SEED").toUInt(&seeded);
        const unsigned seed = seeded ? replay : std::random_device{}();
        qInfo("seed %u", seed);
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> action(0, 9);
        std::uniform_int_distribution<int> target(0, static_cast<int>(clickable.size()) - 1);
        ModalCloser closer;

        for (int step = 0; step < kSteps; ++step) {
            switch (action(random)) {
            case 0:
            case 1:
            case 2:
                pressKey(w.get(), Qt::Key_A, Qt::ControlModifier);
                pressKey(w.get(), Qt::Key_Delete);
                typeText(w.get(), randomEntry(random));
                break;
            case 3:
            case 4:
                pressKey(w.get(), Qt::Key_Tab);
                break;
            case 5:
                pressKey(w.get(), Qt::Key_Backtab);
                break;
            case 6:
            case 7:
                click(clickable[target(random)]);
                break;
            case 8:
                pressKey(w.get(), Qt::Key_T, Qt::AltModifier);
                break;
            case 9:
                pressKey(w.get(), Qt::Key_C, Qt::AltModifier);
                break;
            }
            QVERIFY2(!validation->isValidating(), qPrintable(QStringLiteral("step %1").arg(step)));
            QVERIFY2(QApplication::activeModalWidget() == nullptr,
                     qPrintable(QStringLiteral("step %1").arg(step)));
            QWidget* focus = w->focusWidget();
            for (QLineEdit* field : editable) {
                if (field == focus)
                    continue;
                try {
                    fields::TextToDouble(field->text());
                } catch (const quillan::RuntimeError&) {
                    QFAIL(qPrintable(QStringLiteral("step %1 (seed %2): %3 reads \"%4\"")
                                         .arg(step)
                                         .arg(seed)
                                         .arg(field->objectName(), field->text())));
                }
            }
        }
        // Let the last access key's click land while the window still exists.
        QTest::qWait(150);
        qInfo("%lld boxes closed", static_cast<long long>(closer.seen.size()));
        QVERIFY(!closer.seen.isEmpty());
    }
};

QTEST_MAIN(FieldsRandomTest)
#include "test_fields_random.moc"
