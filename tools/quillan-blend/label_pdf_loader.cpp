#include "label_pdf_loader.h"

#include "label_pdf_entry.h"

#include <dlfcn.h>

#include <array>
#include <filesystem>
#include <vector>

namespace quillan::blend {

namespace {

// Beside the program in the build tree; in lib/quillan/ once installed.
std::vector<std::filesystem::path> moduleCandidates() {
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed)
        return {};
    const std::filesystem::path folder = program.parent_path();
    const std::string name = "quillan_label_pdf.so";
    return {folder / name, folder / QUILLAN_BIN_TO_PRIVATE_LIB / name};
}

QuillanWriteLabelPdf loadModule() {
    std::string tried;
    for (const std::filesystem::path& candidate : moduleCandidates()) {
        if (!std::filesystem::exists(candidate)) {
            tried += "\n  " + candidate.string() + ": not there";
            continue;
        }
        // Kept loaded: Qt cannot be unloaded once started.
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (module == nullptr) {
            tried += "\n  " + std::string(::dlerror());
            continue;
        }
        if (void* entry = ::dlsym(module, QUILLAN_WRITE_LABEL_PDF))
            return reinterpret_cast<QuillanWriteLabelPdf>(entry);
        tried += "\n  " + candidate.string() + ": no " + QUILLAN_WRITE_LABEL_PDF;
    }
    throw ModuleUnavailable("cannot load the label module quillan_label_pdf.so:" + tried);
}

} // namespace

void writeLabelPdf(const filllog::CylinderLabel& label, const std::string& file, bool a4) {
    const QuillanWriteLabelPdf write = loadModule();
    std::vector<const char*> details;
    for (const std::string& line : label.details)
        details.push_back(line.c_str());
    std::array<char, 1024> error{};
    if (write(label.mix.c_str(), details.data(), details.size(), file.c_str(), a4 ? 1 : 0,
              error.data(), error.size()) != 0)
        throw std::runtime_error(error.data());
}

} // namespace quillan::blend
