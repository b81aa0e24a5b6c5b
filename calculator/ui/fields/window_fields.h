// The main window's fields, handed to what checks, converts and marks them, so that none of
// those needs the window itself. The names are the fields' object names.
#pragma once

class QLabel;
class QLineEdit;

struct WindowFields {
    // Starting mix
    QLineEdit* txtSourcePSI = nullptr;
    QLineEdit* txtSourceO2 = nullptr;
    QLineEdit* txtSourceHe = nullptr;
    QLineEdit* txtSourceN = nullptr;
    // Required mix and its depth figures
    QLineEdit* txtTargetPSI = nullptr;
    QLineEdit* txtTargetO2 = nullptr;
    QLineEdit* txtTargetHe = nullptr;
    QLineEdit* txtTargetN = nullptr;
    QLineEdit* txtTargetMOD = nullptr;
    QLineEdit* txtTargetDepth = nullptr;
    QLineEdit* txtTargetEND = nullptr;
    QLineEdit* txtTargetPO2 = nullptr;
    QLineEdit* txtTargetDensity = nullptr; // g/L at the target depth
    // Top-up gas, and the caption that names it
    QLineEdit* txtTopO2 = nullptr;
    QLineEdit* txtTopN = nullptr;
    QLabel* lblTopup = nullptr;
};
