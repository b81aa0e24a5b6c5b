// Writes a class's in-process server entry into the test registry, as a server's
// DllRegisterServer would.
#pragma once

#include <string>

#include "qor/registry.h"

inline LSTATUS registerInprocServer(const std::string& clsidText, const std::string& libraryPath) {
    HKEY key = nullptr;
    const std::string path = "CLSID\\" + clsidText + "\\InprocServer32";
    LSTATUS status = RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status =
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(libraryPath.c_str()),
                       static_cast<DWORD>(libraryPath.size() + 1));
    RegCloseKey(key);
    return status;
}
