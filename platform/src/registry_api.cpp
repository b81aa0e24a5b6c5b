// The registry functions in the classic shape. Open handles are heap objects naming
// their key by path; the root keys are fixed values that need no closing.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

#include "c_boundary.h"
#include "registry_layers.h"

struct QorRegKey {
    int root;
    qor::registry::Path path;
};

namespace {

using qor::registry::Node;
using qor::registry::Path;
using qor::registry::Tree;

std::mutex gHandlesMutex;
std::set<HKEY> gHandles; // the handles open now, so a stale or foreign one is refused

bool isRoot(HKEY key, int& root) {
    const auto raw = reinterpret_cast<std::uintptr_t>(key);
    if (raw < 0x80000000u || raw > 0x80000002u)
        return false;
    root = static_cast<int>(raw - 0x80000000u);
    return true;
}

// The key a handle names, as root and path; false for an unknown handle.
bool resolve(HKEY key, int& root, Path& path) {
    if (isRoot(key, root)) {
        path.clear();
        return true;
    }
    const std::lock_guard<std::mutex> guard(gHandlesMutex);
    if (gHandles.count(key) == 0)
        return false;
    root = key->root;
    path = key->path;
    return true;
}

// Appends the segments of a sub-key text ("a\b\c"); empty segments are skipped. False
// for control characters and beyond the depth and name limits.
bool appendSubKey(const char* subKey, Path& path) {
    if (subKey == nullptr)
        return true;
    std::string_view rest(subKey);
    while (!rest.empty()) {
        const auto end = rest.find('\\');
        const std::string_view segment = rest.substr(0, end);
        if (std::any_of(segment.begin(), segment.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            return false;
        if (!segment.empty())
            path.emplace_back(segment);
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return qor::registry::withinKeyLimits(path);
}

HKEY newHandle(int root, Path path) {
    HKEY key = new QorRegKey{root, std::move(path)};
    const std::lock_guard<std::mutex> guard(gHandlesMutex);
    gHandles.insert(key);
    return key;
}

std::string valueKey(const char* name) {
    return qor::registry::fold(name == nullptr ? "" : name);
}

bool valueNameAllowed(const char* name) {
    return name == nullptr || std::strlen(name) <= qor::registry::kMaxValueNameLength;
}

template <class Body> LSTATUS guardedStatus(Body&& body) noexcept {
    return qor::detail::withoutExceptions(ERROR_OUTOFMEMORY, ERROR_INVALID_PARAMETER,
                                          std::forward<Body>(body));
}

} // namespace

QOR_API LSTATUS RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD, REGSAM, HKEY* phkResult) {
    return guardedStatus([&] {
        if (phkResult == nullptr)
            return ERROR_INVALID_PARAMETER;
        *phkResult = nullptr;
        int root;
        Path path;
        if (!resolve(hKey, root, path))
            return ERROR_INVALID_HANDLE;
        if (!appendSubKey(lpSubKey, path))
            return ERROR_FILE_NOT_FOUND;
        const LSTATUS status = qor::registry::readLayered(root, path, [](const Node* node) {
            return node != nullptr ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        });
        if (status == ERROR_SUCCESS)
            *phkResult = newHandle(root, std::move(path));
        return status;
    });
}

QOR_API LSTATUS RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD, char*, DWORD, REGSAM, void*,
                                HKEY* phkResult, DWORD* lpdwDisposition) {
    return guardedStatus([&] {
        if (phkResult == nullptr)
            return ERROR_INVALID_PARAMETER;
        *phkResult = nullptr;
        int root;
        Path path;
        if (!resolve(hKey, root, path))
            return ERROR_INVALID_HANDLE;
        const std::size_t baseDepth = path.size();
        if (!appendSubKey(lpSubKey, path))
            return ERROR_INVALID_PARAMETER;
        bool created = false;
        const LSTATUS status = qor::registry::modify([&](Tree& tree, bool& changed) {
            if (tree.find(root, Path(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(
                                                                      baseDepth))) == nullptr)
                return ERROR_KEY_DELETED;
            tree.create(root, path, created);
            changed = created;
            return ERROR_SUCCESS;
        });
        if (status != ERROR_SUCCESS)
            return status;
        if (lpdwDisposition != nullptr)
            *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        *phkResult = newHandle(root, std::move(path));
        return ERROR_SUCCESS;
    });
}

QOR_API LSTATUS RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD*, DWORD* lpType,
                                 BYTE* lpData, DWORD* lpcbData) {
    return guardedStatus([&] {
        if (lpData != nullptr && lpcbData == nullptr)
            return ERROR_INVALID_PARAMETER;
        int root;
        Path path;
        if (!resolve(hKey, root, path))
            return ERROR_INVALID_HANDLE;
        return qor::registry::readLayered(root, path, [&](const Node* node) {
            if (node == nullptr)
                return ERROR_KEY_DELETED;
            const auto it = node->values.find(valueKey(lpValueName));
            if (it == node->values.end())
                return ERROR_FILE_NOT_FOUND;
            const auto& data = it->second.data;
            if (lpType != nullptr)
                *lpType = it->second.type;
            if (lpcbData == nullptr)
                return ERROR_SUCCESS;
            const DWORD room = *lpcbData;
            *lpcbData = static_cast<DWORD>(data.size());
            if (lpData == nullptr)
                return ERROR_SUCCESS;
            if (room < data.size())
                return ERROR_MORE_DATA;
            if (!data.empty())
                std::memcpy(lpData, data.data(), data.size());
            return ERROR_SUCCESS;
        });
    });
}

QOR_API LSTATUS RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD, DWORD dwType,
                               const BYTE* lpData, DWORD cbData) {
    return guardedStatus([&] {
        if (lpData == nullptr && cbData != 0)
            return ERROR_INVALID_PARAMETER;
        if (dwType == REG_DWORD && cbData != 4)
            return ERROR_INVALID_PARAMETER;
        if (cbData > qor::registry::kMaxValueSize || !valueNameAllowed(lpValueName))
            return ERROR_INVALID_PARAMETER;
        int root;
        Path path;
        if (!resolve(hKey, root, path))
            return ERROR_INVALID_HANDLE;
        qor::registry::Value value{lpValueName == nullptr ? "" : lpValueName, dwType,
                                   std::vector<BYTE>(lpData, lpData + cbData)};
        return qor::registry::modify([&](Tree& tree, bool& changed) {
            Node* node = tree.find(root, path);
            if (node == nullptr)
                return ERROR_KEY_DELETED;
            auto& slot = node->values[valueKey(lpValueName)];
            changed = slot.type != value.type || slot.data != value.data || slot.name != value.name;
            slot = value;
            return ERROR_SUCCESS;
        });
    });
}

QOR_API LSTATUS RegDeleteValueA(HKEY hKey, const char* lpValueName) {
    return guardedStatus([&] {
        int root;
        Path path;
        if (!resolve(hKey, root, path))
            return ERROR_INVALID_HANDLE;
        return qor::registry::modify([&](Tree& tree, bool& changed) {
            Node* node = tree.find(root, path);
            if (node == nullptr)
                return ERROR_KEY_DELETED;
            changed = node->values.erase(valueKey(lpValueName)) == 1;
            return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        });
    });
}

QOR_API LSTATUS RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
    return guardedStatus([&] {
        if (lpSubKey == nullptr)
            return ERROR_INVALID_PARAMETER;
        int root;
        Path path;
        if (!resolve(hKey, root, path))
            return ERROR_INVALID_HANDLE;
        if (!appendSubKey(lpSubKey, path))
            return ERROR_FILE_NOT_FOUND;
        if (path.empty())
            return ERROR_ACCESS_DENIED; // a root key cannot go
        return qor::registry::modify([&](Tree& tree, bool& changed) {
            changed = tree.erase(root, path);
            return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        });
    });
}

QOR_API LSTATUS RegCloseKey(HKEY hKey) {
    return guardedStatus([&] {
        int root;
        if (isRoot(hKey, root))
            return ERROR_SUCCESS;
        {
            const std::lock_guard<std::mutex> guard(gHandlesMutex);
            if (gHandles.erase(hKey) == 0)
                return ERROR_INVALID_HANDLE;
        }
        delete hKey;
        return ERROR_SUCCESS;
    });
}

QOR_API LSTATUS QorRegRunTransaction(LSTATUS (*body)(void* context), void* context) {
    if (body == nullptr)
        return ERROR_INVALID_PARAMETER;
    return guardedStatus([&] { return qor::registry::transact([&] { return body(context); }); });
}
