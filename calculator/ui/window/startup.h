// The start-up routine: the disclaimer, then the main window.
#pragma once

#include <memory>

class frmMain;

// Shows the disclaimer modally ("I Do Not Accept" ends the program there), then creates,
// loads and shows the main window, which the caller keeps while the event loop runs.
// Any error on the way ends the program at once, without a message, with exit status 1.
std::unique_ptr<frmMain> StartCalculator();
