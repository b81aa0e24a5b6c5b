// Taking the instructions list out of the program: "Save to file..." writes its lines to
// a text file and opens it, "Print..." prints them.
#pragma once

#include <functional>

class InstructionsList;
class QPrinter;
class QString;
class QWidget;

// Asks for a file name (offering `suggestedName`; ".txt" is added to a new file's name that
// has no extension), writes the list's output lines (UTF-8, each ended by CR LF) and opens
// the file with the desktop's program for it. The file is replaced only once every line is
// written. Cancel and failures are reported through ShowError, as the main window's.
void saveInstructions(const InstructionsList& list, const QString& suggestedName);

// Where "Print..." goes when the caller names no printer. The system's answers by default;
// tests put in their own, so that no real printer is used and no dialog waits for a user.
struct PrinterAccess {
    // Whether a default printer is set up.
    std::function<bool()> hasDefaultPrinter;
    // Qt's print dialog on `printer`, which comes set to write a PDF file; false when the
    // user cancels.
    std::function<bool(QPrinter& printer, QWidget* parent)> choosePrinter;
};
PrinterAccess systemPrinterAccess();

// Prints the list's output lines in 10-point Courier, one inch from the left and top of the
// printable area and no nearer than an inch to its right edge, on `printer`, or else on the default
// printer. Without a default printer the print dialog is offered instead, set to print to a PDF
// file; cancelling it prints nothing. A printer failure is reported through ShowError.
void printInstructions(const InstructionsList& list, QPrinter* printer = nullptr);
void printInstructions(const InstructionsList& list, const PrinterAccess& access);
