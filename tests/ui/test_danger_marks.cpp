// Danger marked in the depth display and the mix fields: colour, weight and tooltip
// change with the figures, the figures themselves do not, and the marks stay readable
// under the default and a dark palette.
#include "marks/contrast.h"
#include "marks/danger_badge.h"
#include "marks/danger_marks.h"
#include "painted_contrast.h"
#include "test_support.h"
#include "tested_main_window.h"

#include <QLineEdit>
#include <QStyleFactory>
#include <QtTest/QtTest>

#include <memory>

namespace {

Danger shownDanger(const QLineEdit* field) {
    const QColor text = field->palette().color(QPalette::Text);
    if (text == field->window()->palette().color(QPalette::Text) && !field->font().bold() &&
        field->toolTip().isEmpty())
        return Danger::None;
    return field->font().bold() ? Danger::Warning : Danger::Caution;
}

} // namespace

class DangerMarksTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::registerComponentLibrary());
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        defaultPalette = QApplication::palette();
    }
    void init() { qApp->setStyleSheet(QString()); }
    void cleanup() { QApplication::setPalette(defaultPalette); }

    void po2AtDepth_data();
    void po2AtDepth();
    void hypoxicMix_data();
    void hypoxicMix();
    void markClearsWhenTheDangerIsGone();
    void badgeBesideTheColour_data();
    void badgeBesideTheColour();
    void densityAtDepth_data();
    void densityAtDepth();

  private:
    QPalette defaultPalette;
};

void DangerMarksTest::po2AtDepth_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("po2");
    QTest::addColumn<int>("danger");
    QTest::addColumn<QString>("tooltip");
    const struct {
        const char* depth;
        const char* po2;
        Danger danger;
        const char* tooltip;
    } rows[] = {
        {"110", "1.39", Danger::None, ""},
        {"112", "1.41", Danger::Caution, "PO2 above 1.4"},
        {"132", "1.60", Danger::Caution, "PO2 above 1.4"}, // exactly at its MOD: not above 1.6
        {"133", "1.61", Danger::Warning, "PO2 above 1.6"},
    };
    for (const bool dark : {false, true})
        for (const auto& row : rows)
            QTest::addRow("%s PO2 %s", dark ? "dark" : "default", row.po2)
                << dark << QString(row.depth) << QString(row.po2) << int(row.danger)
                << QString(row.tooltip);
}

void DangerMarksTest::po2AtDepth() {
    QFETCH(bool, dark);
    QFETCH(QString, depth);
    QFETCH(QString, po2);
    QFETCH(int, danger);
    QFETCH(QString, tooltip);
    if (dark)
        QApplication::setPalette(testsupport::darkFusionPalette());
    TestedMainWindow window;
    window.txtTargetO2->setText(QStringLiteral("32"));
    window.txtTargetN->setText(QStringLiteral("68"));
    window.txtTargetDepth->setText(depth);
    window.ShowMixAtDepth();
    QCOMPARE(window.txtTargetPO2->text(), po2); // the figure itself is untouched
    QCOMPARE(int(dangerOf(window.txtTargetPO2)), danger);
    QCOMPARE(int(shownDanger(window.txtTargetPO2)), danger);
    const QString shownTip = window.txtTargetPO2->toolTip();
    QVERIFY2(tooltip.isEmpty() ? shownTip.isEmpty() : shownTip.startsWith(tooltip),
             qPrintable(shownTip));
    const QPalette& shown = window.txtTargetPO2->palette();
    QVERIFY(contrast::ratio(shown.color(QPalette::Text), shown.color(QPalette::Base)) >=
            contrast::kMinimumRatio);
    // Warning and caution look different from each other and from plain text.
    if (danger != int(Danger::None))
        QVERIFY(shown.color(QPalette::Text) != window.palette().color(QPalette::Text));
    // Only the PO2 figure is marked, not its neighbours.
    QCOMPARE(int(dangerOf(window.txtTargetEND)), int(Danger::None));
}

// Nitrox 32 (29.29 g/mol) at 20 C: 4, 5 and 5.55 atm give 4.87, 6.09 and 6.75 g/L by hand;
// above 5.2 g/L is a caution, above 6.2 a warning.
void DangerMarksTest::densityAtDepth_data() {
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("density");
    QTest::addColumn<int>("danger");
    QTest::newRow("recommended") << "99"
                                 << "4.9" << int(Danger::None);
    QTest::newRow("caution") << "132"
                             << "6.1" << int(Danger::Caution);
    QTest::newRow("warning") << "150"
                             << "6.8" << int(Danger::Warning);
}

void DangerMarksTest::densityAtDepth() {
    QFETCH(QString, depth);
    QFETCH(QString, density);
    QFETCH(int, danger);
    TestedMainWindow window;
    window.txtTargetO2->setText(QStringLiteral("32"));
    window.txtTargetN->setText(QStringLiteral("68"));
    window.txtTargetDepth->setText(depth);
    window.ShowMixAtDepth();
    QCOMPARE(window.txtTargetDensity->text(), density);
    QCOMPARE(int(dangerOf(window.txtTargetDensity)), danger);
    QCOMPARE(int(shownDanger(window.txtTargetDensity)), danger);
}

void DangerMarksTest::hypoxicMix_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("o2");
    QTest::addColumn<bool>("hypoxic");
    for (const bool dark : {false, true})
        for (const char* field : {"txtSourceO2", "txtTargetO2"})
            for (const auto& [o2, hypoxic] :
                 {std::pair{"0", false}, std::pair{"1", true}, std::pair{"15", true},
                  std::pair{"16", false}, std::pair{"21", false}, std::pair{"x", false}})
                QTest::addRow("%s %s %s", dark ? "dark" : "default", field, o2)
                    << dark << QString(field) << QString(o2) << hypoxic;
}

void DangerMarksTest::hypoxicMix() {
    QFETCH(bool, dark);
    QFETCH(QString, field);
    QFETCH(QString, o2);
    QFETCH(bool, hypoxic);
    if (dark)
        QApplication::setPalette(testsupport::darkFusionPalette());
    TestedMainWindow window;
    auto* edit = window.findChild<QLineEdit*>(field);
    edit->setText(o2);
    QCOMPARE(edit->text(), o2);
    QCOMPARE(shownDanger(edit), hypoxic ? Danger::Warning : Danger::None);
    QCOMPARE(edit->toolTip().contains(QStringLiteral("hypoxic")), hypoxic);
    const QPalette& shown = edit->palette();
    QVERIFY(contrast::ratio(shown.color(QPalette::Text), shown.color(QPalette::Base)) >=
            contrast::kMinimumRatio);
}

void DangerMarksTest::markClearsWhenTheDangerIsGone() {
    TestedMainWindow window;
    const QFont plain = window.txtTargetPO2->font();
    window.txtTargetPO2->setText(QStringLiteral("1.61"));
    QVERIFY(window.txtTargetPO2->font().bold());
    window.txtTargetPO2->setText(QStringLiteral("1.39"));
    QCOMPARE(window.txtTargetPO2->font(), plain);
    QVERIFY(window.txtTargetPO2->toolTip().isEmpty());
    QCOMPARE(window.txtTargetPO2->palette().color(QPalette::Text),
             window.palette().color(QPalette::Text));
    QCOMPARE(window.txtTargetPO2->palette().color(QPalette::Base), QColor(227, 227, 227));
}

void DangerMarksTest::badgeBesideTheColour_data() {
    QTest::addColumn<int>("look"); // 0 default, 1 dark palette, 2 a user style sheet
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("figure");
    for (int look = 0; look < 3; ++look)
        for (const auto& [field, figure] :
             {std::pair{"txtTargetPO2", "1.45"}, {"txtTargetPO2", "1.61"}, {"txtSourceO2", "15"}})
            QTest::addRow("look %d %s %s", look, field, figure) << look << field << figure;
}

// Every mark has a badge with the reason as its tooltip; badge and figure read (4.5:1)
// whatever colours the user chose.
void DangerMarksTest::badgeBesideTheColour() {
    QFETCH(int, look);
    QFETCH(QString, field);
    QFETCH(QString, figure);
    QApplication::setPalette(look == 1 ? testsupport::darkFusionPalette() : defaultPalette);
    qApp->setStyleSheet(look == 2 ? QStringLiteral("QLineEdit { color: blue; }") : QString());
    TestedMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* edit = window.findChild<QLineEdit*>(field);
    edit->setText(figure);
    QLabel* badge = dangerBadge(edit);
    QVERIFY(badge->isVisible() && edit->rect().contains(badge->geometry()));
    QVERIFY(!badge->toolTip().isEmpty() && badge->toolTip() == edit->toolTip());
    const QRect beside = testsupport::textRegion(edit).adjusted(0, 0, -badge->width() - 3, 0);
    for (const auto& [painted, region] :
         {std::pair<QWidget*, QRect>{badge, badge->rect()}, {edit, beside}})
        QVERIFY(testsupport::paintedText(painted, region).ratio >= contrast::kMinimumRatio);
    edit->setText(QStringLiteral("0"));
    QVERIFY(!badge->isVisible());
}

QTEST_MAIN(DangerMarksTest)
#include "test_danger_marks.moc"
