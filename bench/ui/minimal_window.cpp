// The yardstick for the calculator's start-up: the least a Qt Widgets program does to put
// one window on the screen (a dialog with a label and a button, shown modally as the
// disclaimer is).
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog window;
    window.resize(388, 270);
    QLabel label(QStringLiteral("Minimal window"), &window);
    QPushButton button(QStringLiteral("OK"), &window);
    button.move(16, 240);
    window.exec();
    return 0;
}
