// The module quillan-blend loads for --pdf: a label painted by Qt, with an offscreen
// application of its own when the caller has none.
#include "label_painting.h"
#include "label_pdf_entry.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Qt keeps argc and argv for the application's lifetime.
int applicationArgc = 1;
char applicationName[] = "quillan-blend";
char* applicationArgv[] = {applicationName, nullptr};

// Made for the call and ended with it: one left for the exit handlers would end after the
// parts of Qt it needs.
std::unique_ptr<QGuiApplication> applicationIfNone() {
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    // A command line has no display to use.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(applicationArgc, applicationArgv);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
quillan_write_label_pdf(const char* mix, const char* const* details, std::size_t detailCount,
                        const char* file, int a4, char* error, std::size_t errorSize) {
    const std::unique_ptr<QGuiApplication> application = applicationIfNone();
    labelpdf::LabelText label{QString::fromUtf8(mix), {}};
    for (std::size_t i = 0; i < detailCount; ++i)
        label.details << QString::fromUtf8(details[i]);
    QString reason;
    if (labelpdf::writeLabelPdf(
            QString::fromUtf8(file),
            a4 != 0 ? labelpdf::LabelPaper::A4 : labelpdf::LabelPaper::Label100x50, label, &reason))
        return 0;
    if (errorSize > 0) {
        const QByteArray text = reason.toUtf8();
        const std::size_t length = std::min(errorSize - 1, static_cast<std::size_t>(text.size()));
        std::memcpy(error, text.constData(), length);
        error[length] = '\0';
    }
    return 1;
}
