#pragma once
// Read-only access to the parts of a ZIP package (an .xlsx workbook), guarding against
// damaged archives and parts that would unpack to more than the program takes in.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

struct zip;

namespace plumetra {

// No single part of a workbook the program reads is larger than this once unpacked.
inline constexpr std::uint64_t MaxPackagePartBytes = 200ull * 1024 * 1024;

enum class PartStatus { Ok, Missing, TooLarge, Damaged };

struct PackagePart {
  PartStatus status = PartStatus::Missing;
  std::string bytes;
};

class ZipPackage {
 public:
  // std::nullopt when the file is not a readable ZIP archive.
  static std::optional<ZipPackage> open(const std::filesystem::path& path);

  // A part by name ("xl/workbook.xml"; a leading "/" is ignored; letter case is not
  // significant). Reads at most maxBytes.
  PackagePart read(std::string name, std::uint64_t maxBytes = MaxPackagePartBytes) const;
  bool has(std::string name) const;

 private:
  struct Closer {
    void operator()(zip* archive) const;
  };
  explicit ZipPackage(zip* archive) : archive_(archive) {}
  std::unique_ptr<zip, Closer> archive_;
};

}  // namespace plumetra
