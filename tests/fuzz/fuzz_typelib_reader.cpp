// The MSFT type-library reader: any bytes either read as a library or are refused with
// FormatError.
#include "msft_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const qor::typelib::Library lib =
            qor::typelib::readLibrary({reinterpret_cast<const std::byte*>(data), size});
        for (const auto& info : lib.typeInfos)
            lib.find(info.name);
    } catch (const qor::typelib::FormatError&) {
    }
    return 0;
}
