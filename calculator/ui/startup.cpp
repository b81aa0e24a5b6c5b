#include "startup.h"

#include "frm_disclaimer.h"
#include "frm_main.h"
#include "module1.h"

namespace Module1 {

std::unique_ptr<frmMain> Main() {
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
        EndProgram(1);
    }
}

} // namespace Module1
