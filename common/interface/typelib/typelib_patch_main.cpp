// Build step: qor_typelib_patch IN.tlb OUT.tlb CLASS... — copies widl's type library with
// the predeclared-id flag set on each named class and the empty-text defaults filled in.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "msft_reader.h"
#include "typelib_patch.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s IN.tlb OUT.tlb CLASS...\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<char> raw((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
    if (!in.eof() && !in) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const std::vector<std::string_view> classes(argv + 3, argv + argc);
    try {
        const std::vector<std::byte> patched =
            qor::typelib::patchTypeLibrary(std::as_bytes(std::span(raw)), classes);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(patched.data()),
                  static_cast<std::streamsize>(patched.size()));
        if (!out) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
            return 1;
        }
    } catch (const qor::typelib::FormatError& e) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], e.what());
        return 1;
    }
    return 0;
}
