// What the fill log tests share: a folder of their own and a plain fill to store.
#pragma once

#include "fill_log/fill_record.h"
#include "fill_log/fill_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quillan::filllog::test {

class LogFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "fill-log-XXXXXX");
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path file() const { return folder_ / "fill-log.sqlite"; }

    std::filesystem::path folder_;
};

inline std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Nitrox 32 from empty, as the plan's figures would log it.
inline FillRecord plainFill(const std::string& customer = "Ann Diver") {
    FillRecord fill;
    fill.time = utcNow();
    fill.blender = "Bo";
    fill.customer = customer;
    fill.cylinder = {"S-100", 11.1, 207.0, "2024-01-15", "2024-06-01", true};
    fill.start = {0, 21, 0};
    fill.required = {3000, 32, 0};
    fill.plan.units = "imperial";
    fill.plan.gasModel = "ideal";
    fill.plan.oxygen = 418;
    fill.plan.topUp = 2582;
    fill.plan.final = {3000, 32, 0};
    fill.plan.mod = 132;
    fill.plan.reportLines = {"Add 418 PSI of oxygen", "Top up with air to 3000 PSI"};
    return fill;
}

} // namespace quillan::filllog::test
