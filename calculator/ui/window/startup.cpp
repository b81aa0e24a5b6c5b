#include "window/startup.h"

#include "program/end_program.h"
#include "window/frm_disclaimer.h"
#include "window/frm_main.h"

std::unique_ptr<frmMain> StartCalculator() {
    try {
        {
            frmDisclaimer disclaimer;
            // How the dialog went away does not matter: declining never comes back here.
            disclaimer.exec();
        }
        auto window = std::make_unique<frmMain>();
        window->show();
        return window;
    } catch (...) {
        program::EndProgram(1);
    }
}
