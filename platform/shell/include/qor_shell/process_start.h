// Starting other programs as separate processes, never through a shell: the arguments
// travel as a list, so no text is ever interpreted as a command line.
#pragma once

#include <string>

namespace qor::shell {

// The classic shell's answers to an "open this document" request.
constexpr int kShellStarted = 42;
constexpr int kShellFileNotFound = 2;
constexpr int kShellAccessDenied = 5;
constexpr int kShellNoAssociation = 31;
// The opener ran but reported a failure these codes do not name.
constexpr int kShellUnknownFailure = 0;

// Opens `document` (a file path or a URL) with the desktop's associated program by
// starting `xdg-open <document>` found on PATH. Waits a moment for the opener's verdict
// and maps it onto the shell codes above; an opener still busy after that counts as
// started. Throws std::system_error when no process can be created at all.
int openDocument(const std::string& document);

// Starts `program` with no arguments and does not wait for it. False when it could
// not be started (missing, not executable, ...).
bool startProgram(const std::string& program);

} // namespace qor::shell
