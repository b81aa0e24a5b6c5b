// Temporary folders for tests, and a private registry inside one.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace qor::test {

// A fresh folder, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::u16string u16(const std::string& relative = "") const;
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};

// A whole file's bytes ("" when it cannot be read), and a file written whole, with the
// folders it needs.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// Points XDG_DATA_HOME, where the registry lives, at a fresh folder and XDG_DATA_DIRS, where
// the system registries live, at none; restores both afterwards.
class TempDataHome {
  public:
    TempDataHome();
    ~TempDataHome();
    TempDataHome(const TempDataHome&) = delete;
    TempDataHome& operator=(const TempDataHome&) = delete;

    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path registryFolder() const { return path() / "quillan"; }
    std::filesystem::path registryFile() const { return registryFolder() / "registry"; }

  private:
    TempDir dir_;
    std::optional<std::string> oldDataHome_;
    std::optional<std::string> oldDataDirs_;
};

// A test whose registry is its own.
class TempRegistryTest : public ::testing::Test {
  protected:
    std::filesystem::path registryFolder() const { return home_->registryFolder(); }
    std::filesystem::path registryFile() const { return home_->registryFile(); }
    void SetUp() override { home_.emplace(); }
    void TearDown() override { home_.reset(); }

    std::optional<TempDataHome> home_;
};

} // namespace qor::test
