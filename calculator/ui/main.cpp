#include "window/frm_main.h"
#include "window/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const std::unique_ptr<frmMain> window = StartCalculator();
    return QApplication::exec();
}
