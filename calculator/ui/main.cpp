#include "frm_main.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const std::unique_ptr<frmMain> window = Module1::Main();
    return QApplication::exec();
}
