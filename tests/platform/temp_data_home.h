// Points XDG_DATA_HOME at a fresh temporary folder for one test, so the registry file
// lives there and vanishes afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class TempDataHome : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qor-platform-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        const char* old = std::getenv("XDG_DATA_HOME");
        hadOld_ = old != nullptr;
        if (hadOld_)
            old_ = old;
        ::setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    }
    void TearDown() override {
        if (hadOld_)
            ::setenv("XDG_DATA_HOME", old_.c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::filesystem::path registryFolder() const { return dir_ / "quillan"; }
    std::filesystem::path registryFile() const { return registryFolder() / "registry"; }

    std::filesystem::path dir_;

  private:
    bool hadOld_ = false;
    std::string old_;
};
