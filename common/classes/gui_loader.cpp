// Finds the windowing entry points in QorCommon1Gui.so beside the module holding this
// code, loaded once and kept for the rest of the process.
#include "gui_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "gui_entry_points.h"
#include "qor/runtime.h"
#include "runtime_errors.h"

namespace qor::common {
namespace {

constexpr const char* kGuiModuleFile = "QorCommon1Gui.so";

struct GuiModule {
    void* handle = nullptr;
    std::string failure;
};

GuiModule loadBesideThisModule() {
    Dl_info self{};
    if (::dladdr(reinterpret_cast<void*>(&loadBesideThisModule), &self) == 0 ||
        self.dli_fname == nullptr)
        return {nullptr, "the folder of the library could not be found"};
    const std::filesystem::path path =
        std::filesystem::path(self.dli_fname).parent_path() / kGuiModuleFile;
    GuiModule module{::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE), {}};
    if (module.handle == nullptr) {
        const char* why = ::dlerror();
        module.failure = why != nullptr ? why : path.string() + ": cannot be loaded";
    }
    return module;
}

// Loaded on first need only, and never unloaded: its windows may outlive any caller.
const GuiModule& guiModule() {
    static const GuiModule module = loadBesideThisModule();
    return module;
}

[[noreturn]] void raiseLoadFailure(const std::string& why) {
    std::u16string description = u"Error in loading DLL: ";
    description.append(fromUtf8(why));
    throw AutomationError(kErrLoadingDll, std::u16string(kLibrarySource), std::move(description));
}

template <typename Function> Function entryPoint(const char* name) {
    const GuiModule& module = guiModule();
    if (module.handle == nullptr)
        raiseLoadFailure(module.failure);
    if (void* found = ::dlsym(module.handle, name))
        return reinterpret_cast<Function>(found);
    raiseLoadFailure(std::string(kGuiModuleFile) + ": no entry point " + name);
}

QorGuiText text(std::u16string_view view) {
    return {view.data(), view.size()};
}

void raiseIfFailed(int status, const QorGuiFailure& failure) {
    if (status != 0)
        throw AutomationError(failure.number, std::u16string(kLibrarySource),
                              std::u16string(failure.description, failure.descriptionLength));
}

} // namespace

void displayMessageBox(std::u16string_view objectName, std::u16string_view title,
                       std::u16string_view body) {
    const auto show = entryPoint<QorGuiShowMessage>("qor_gui_show_message");
    QorGuiFailure failure{};
    raiseIfFailed(show(text(objectName), text(title), text(body), &failure), failure);
}

void displayAboutDialog(std::u16string_view appName, std::u16string_view appVersion) {
    const auto show = entryPoint<QorGuiShowAbout>("qor_gui_show_about");
    QorGuiFailure failure{};
    raiseIfFailed(show(text(appName), text(appVersion), &failure), failure);
}

} // namespace qor::common
