// Taking the instructions list out of the program: "Save to file..." writes its lines to
// a text file and opens it, "Print..." prints them.
#pragma once

class QPrinter;
class frmMain;

// Asks for a file name, writes one line per list entry (UTF-8, each ended by CR LF) and
// opens the file with the desktop's program for it. The file is replaced only once every
// line is written. Cancel and failures are reported through ShowError.
void cmdlblSave_Click(frmMain& window);

// Prints the list in 10-point Courier, one inch from the left and top of the printable
// area, on `printer`, or on the default printer when none is given. No printer, or a
// printer failure, is reported through ShowError.
void cmdPrint_Click(frmMain& window, QPrinter* printer = nullptr);
