// The label module's C surface: what quillan-blend finds with dlsym, so that the command
// line loads Qt only when it is asked for a PDF. No Qt here.
#pragma once

#include <cstddef>

extern "C" {

// The exported name of QuillanWriteLabelPdf.
#define QUILLAN_WRITE_LABEL_PDF "quillan_write_label_pdf"

// Writes the label (`mix`, then `detailCount` lines, all UTF-8) to `file` as a PDF, on a
// 100 x 50 mm page or, when `a4` is not 0, on A4. Returns 0, or 1 with the reason, naming
// the file, in `error` (cut to `errorSize` bytes, always ended).
using QuillanWriteLabelPdf = int (*)(const char* mix, const char* const* details,
                                     std::size_t detailCount, const char* file, int a4, char* error,
                                     std::size_t errorSize);
}
