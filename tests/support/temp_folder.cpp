#include "qor_test/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "qor/runtime.h"

namespace qor::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // A test may have taken permissions away to provoke a failure.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempDir::u16(const std::string& relative) const {
    return fromUtf8(relative.empty() ? path_.string() : (path_ / relative).string());
}

std::filesystem::path TempDir::write(const std::string& relative, const std::string& bytes) const {
    const auto file = path_ / relative;
    writeFile(file, bytes);
    return file;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

namespace {

std::optional<std::string> currentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void restore(const char* name, const std::optional<std::string>& value) {
    if (value)
        ::setenv(name, value->c_str(), 1);
    else
        ::unsetenv(name);
}

} // namespace

TempDataHome::TempDataHome()
    : oldDataHome_(currentValue("XDG_DATA_HOME")), oldDataDirs_(currentValue("XDG_DATA_DIRS")) {
    ::setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
    // No system registry either: an installed package must not answer the test's lookups.
    ::setenv("XDG_DATA_DIRS", (dir_.path() / "no-system-data").c_str(), 1);
}

TempDataHome::~TempDataHome() {
    restore("XDG_DATA_HOME", oldDataHome_);
    restore("XDG_DATA_DIRS", oldDataDirs_);
}

} // namespace qor::test
