// A persistent registry in the shape of the classic one: keys with named values (text
// and 32-bit numbers) under the standard root keys, kept in one file under the user's
// XDG data folder. Writes are atomic and serialised with a file lock.
#pragma once

#include "qor/com_api.h"

struct QorRegKey;
using HKEY = QorRegKey*;
using LSTATUS = LONG;
using REGSAM = DWORD;

// Root keys are fixed handle values, as on the classic platform.
#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))

constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_PATH_NOT_FOUND = 3; // no absolute folder for the registry file
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
constexpr LSTATUS ERROR_OUTOFMEMORY = 14;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234;
constexpr LSTATUS ERROR_BADDB = 1009; // the registry file is damaged
constexpr LSTATUS ERROR_CANTWRITE = 1013;
constexpr LSTATUS ERROR_KEY_DELETED = 1018; // the handle's key was deleted meanwhile

constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Names and text values are UTF-8; REG_SZ data includes its terminating NUL. Key and value
// names compare case-insensitively (ASCII); the empty value name is the key's default
// value. Key names may not hold control characters. Limits, as on the classic platform:
// keys 512 levels deep, key names of 255 bytes, value names of 16383 bytes, values of
// 1 MiB; beyond them a call answers ERROR_INVALID_PARAMETER. A registry file that is
// damaged, not a regular file or larger than 64 MiB makes every call answer ERROR_BADDB
// and is left as it is; a change that would take the file past 64 MiB answers
// ERROR_CANTWRITE and is not stored; without an absolute XDG_DATA_HOME or HOME every call answers
// ERROR_PATH_NOT_FOUND. The reason is written to standard error once.
QOR_API LSTATUS RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, REGSAM samDesired,
                              HKEY* phkResult);
QOR_API LSTATUS RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD Reserved, char* lpClass,
                                DWORD dwOptions, REGSAM samDesired, void* lpSecurityAttributes,
                                HKEY* phkResult, DWORD* lpdwDisposition);
QOR_API LSTATUS RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved,
                                 DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
QOR_API LSTATUS RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD Reserved, DWORD dwType,
                               const BYTE* lpData, DWORD cbData);
QOR_API LSTATUS RegDeleteValueA(HKEY hKey, const char* lpValueName);
// Deletes the key and everything under it.
QOR_API LSTATUS RegDeleteKeyA(HKEY hKey, const char* lpSubKey);
QOR_API LSTATUS RegCloseKey(HKEY hKey);

// Runs `body(context)` as one transaction: the registry file is read once under an
// exclusive lock, every registry call that `body` makes on this thread works on that copy,
// and the copy is written back once when `body` answers ERROR_SUCCESS; any other answer
// discards every change it made. Other threads and processes wait meanwhile. Answers what
// `body` answered, or the status of reading or writing the file.
QOR_API LSTATUS QorRegRunTransaction(LSTATUS (*body)(void* context), void* context);
