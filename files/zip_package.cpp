#include "files/zip_package.h"

#include <zip.h>

#include <string_view>

namespace plumetra {
namespace {

constexpr std::size_t ReadChunk = 64 * 1024;

std::string partName(std::string_view name) {
  if (name.starts_with('/')) name.remove_prefix(1);
  return std::string(name);
}

}  // namespace

void ZipPackage::Closer::operator()(zip* archive) const { zip_discard(archive); }

std::optional<ZipPackage> ZipPackage::open(const std::filesystem::path& path) {
  int error = 0;
  zip* archive = zip_open(path.string().c_str(), ZIP_RDONLY, &error);
  if (!archive) return std::nullopt;
  return ZipPackage(archive);
}

bool ZipPackage::has(std::string name) const {
  return zip_name_locate(archive_.get(), partName(name).c_str(), ZIP_FL_NOCASE) >= 0;
}

PackagePart ZipPackage::read(std::string name, std::uint64_t maxBytes) const {
  PackagePart part;
  const zip_int64_t index = zip_name_locate(archive_.get(), partName(name).c_str(), ZIP_FL_NOCASE);
  if (index < 0) return part;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
    part.status = PartStatus::Damaged;
    return part;
  }
  if ((stat.valid & ZIP_STAT_SIZE) && stat.size > maxBytes) {
    part.status = PartStatus::TooLarge;
    return part;
  }
  zip_file_t* file = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
  if (!file) {
    part.status = PartStatus::Damaged;
    return part;
  }
  // The declared size may lie: read in chunks and stop at the limit.
  part.status = PartStatus::Ok;
  std::string chunk(ReadChunk, '\0');
  for (;;) {
    const zip_int64_t got = zip_fread(file, chunk.data(), chunk.size());
    if (got < 0) {
      part.status = PartStatus::Damaged;
      break;
    }
    if (got == 0) break;
    if (part.bytes.size() + static_cast<std::uint64_t>(got) > maxBytes) {
      part.status = PartStatus::TooLarge;
      break;
    }
    part.bytes.append(chunk.data(), static_cast<std::size_t>(got));
  }
  if (zip_fclose(file) != 0 && part.status == PartStatus::Ok) part.status = PartStatus::Damaged;
  if (part.status != PartStatus::Ok) part.bytes.clear();
  return part;
}

}  // namespace plumetra
