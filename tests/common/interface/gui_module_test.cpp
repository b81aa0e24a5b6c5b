// The library loads without Qt: nothing in its dynamic dependencies names Qt, creating an
// object maps no Qt library, and the windowing entry points lie beside it, ready for the
// first window.
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "server_fixture.h"

namespace {

const std::filesystem::path kLibraryFolder = std::filesystem::path(QORCOMMON1_PATH).parent_path();

// The DT_NEEDED names of a 64-bit ELF shared object, read from its section headers.
std::vector<std::string> neededLibraries(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    Elf64_Ehdr header{};
    if (bytes.size() < sizeof header)
        throw std::runtime_error("not an ELF file: " + file.string());
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error("not a 64-bit ELF file: " + file.string());
    const auto section = [&](std::size_t index) {
        Elf64_Shdr s{};
        const std::size_t at = header.e_shoff + index * header.e_shentsize;
        if (index >= header.e_shnum || at + sizeof s > bytes.size())
            throw std::runtime_error("damaged section table: " + file.string());
        std::memcpy(&s, bytes.data() + at, sizeof s);
        return s;
    };
    std::vector<std::string> needed;
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr dynamic = section(i);
        if (dynamic.sh_type != SHT_DYNAMIC)
            continue;
        const Elf64_Shdr strings = section(dynamic.sh_link);
        for (std::size_t at = dynamic.sh_offset;
             at + sizeof(Elf64_Dyn) <= dynamic.sh_offset + dynamic.sh_size;
             at += sizeof(Elf64_Dyn)) {
            Elf64_Dyn entry{};
            std::memcpy(&entry, bytes.data() + at, sizeof entry);
            if (entry.d_tag == DT_NULL)
                break;
            if (entry.d_tag == DT_NEEDED)
                needed.emplace_back(bytes.data() + strings.sh_offset + entry.d_un.d_val);
        }
    }
    return needed;
}

bool qtMapped() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("libQt6") != std::string::npos)
            return true;
    return false;
}

TEST(GuiModule, LibraryAndItsOwnDependenciesNeedNoQt) {
    // Follows the dependencies built beside the library (the runtime); system ones are leaves.
    std::set<std::string> seen;
    std::vector<std::filesystem::path> pending{QORCOMMON1_PATH};
    while (!pending.empty()) {
        const auto file = pending.back();
        pending.pop_back();
        for (const std::string& name : neededLibraries(file)) {
            EXPECT_EQ(name.find("Qt"), std::string::npos) << file << " needs " << name;
            if (seen.insert(name).second && std::filesystem::exists(kLibraryFolder / name))
                pending.push_back(kLibraryFolder / name);
        }
    }
    EXPECT_TRUE(seen.count("libQorPlatform.so")) << "the runtime was not among the dependencies";
}

TEST(GuiModule, TheWindowingModuleNeedsQt) {
    // The check above would be empty if the reader found no dependencies at all.
    bool needsWidgets = false;
    for (const std::string& name : neededLibraries(kLibraryFolder / "QorCommon1Gui.so"))
        needsWidgets = needsWidgets || name.rfind("libQt6Widgets", 0) == 0;
    EXPECT_TRUE(needsWidgets);
}

TEST(GuiModule, CreatingAnObjectLoadsNoQt) {
    if (qtMapped())
        GTEST_SKIP() << "Qt was loaded by an earlier test in this process";
    LoadedServer server;
    ASSERT_NE(server.handle, nullptr) << ::dlerror();
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(server.getClassObject(CLSID_Common, IID_IClassFactory, factory.outVoid()), S_OK);
    ComPtr<_Common> common;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID__Common, common.outVoid()), S_OK);
    EXPECT_FALSE(qtMapped());
}

TEST(GuiModule, EntryPointsLieBesideTheLibrary) {
    const std::filesystem::path module = kLibraryFolder / "QorCommon1Gui.so";
    // Never unloaded, as the library keeps it: Qt does not expect to leave a process.
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(handle, nullptr) << ::dlerror();
    for (const char* name : {"qor_gui_show_message", "qor_gui_show_about"})
        EXPECT_NE(::dlsym(handle, name), nullptr) << name;
    ::dlclose(handle);
}

} // namespace
