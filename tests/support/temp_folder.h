#pragma once
// A fresh folder of one test alone, made with mkdtemp under the test framework's temporary
// folder and removed with the object, so test programs can run side by side.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace plumetra::testing {

class TestTempFolder {
 public:
  explicit TestTempFolder(std::string_view prefix = "plumetra") {
    std::string pattern = ::testing::TempDir() + std::string(prefix) + "_XXXXXX";
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary folder from " << pattern;
    path_ = pattern;
  }
  ~TestTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestTempFolder(const TestTempFolder&) = delete;
  TestTempFolder& operator=(const TestTempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace plumetra::testing
