#include "files/atomic_write.h"

#include "files/finite_numbers.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <random>
#include <system_error>

namespace plumetra {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view TemporaryPrefix = ".~plumetra-";
constexpr std::string_view TemporarySuffix = ".tmp";
constexpr int TempNameAttempts = 16;

std::string errnoText(int number) { return std::generic_category().message(number); }

bool fail(std::string* error, const fs::path& path, const std::string& why) {
  if (error) *error = "Can not write " + path.string() + ": " + why;
  return false;
}

fs::path folderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// Removes the temporary files of writes that were killed before they could clean up. A live
// writer's file (its process still runs) is left alone.
void removeAbandonedTemporaries(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (isAbandonedTemporary(it->path())) fs::remove(it->path(), ignored);
  }
}

bool syncPath(const fs::path& path, int flags) {
  const int fd = open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  close(fd);
  return synced;
}

// Creates a new, not yet existing temporary file beside the target and opens it for writing.
int createTemporary(const fs::path& target, fs::path& temporary) {
  for (int attempt = 0; attempt < TempNameAttempts; ++attempt) {
    temporary = temporaryPathFor(target);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool writeAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool isAbandonedTemporary(const fs::path& file) {
  const std::string name = file.filename().string();
  if (!name.starts_with(TemporaryPrefix) || !name.ends_with(TemporarySuffix)) return false;
  const char* first = name.data() + TemporaryPrefix.size();
  long pid = 0;
  const auto [end, problem] = std::from_chars(first, name.data() + name.size(), pid);
  if (problem != std::errc() || end == first || *end != '-' || pid <= 0) return false;
  return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

fs::path temporaryPathFor(const fs::path& target) {
  static thread_local std::mt19937 random{std::random_device{}()};
  removeAbandonedTemporaries(folderOf(target));
  char name[64];
  std::snprintf(name, sizeof name, "%.*s%ld-%08x%.*s", static_cast<int>(TemporaryPrefix.size()),
                TemporaryPrefix.data(), static_cast<long>(getpid()), static_cast<unsigned>(random()),
                static_cast<int>(TemporarySuffix.size()), TemporarySuffix.data());
  return folderOf(target) / name;
}

bool commitTemporary(const fs::path& temporary, const fs::path& target, std::string* error) {
  std::error_code ec;
  if (!syncPath(temporary, O_RDONLY)) {
    const int why = errno;
    fs::remove(temporary, ec);
    return fail(error, target, errnoText(why));
  }
  // A replaced file keeps its permissions.
  if (const fs::file_status old = fs::status(target, ec); fs::exists(old))
    fs::permissions(temporary, old.permissions(), ec);
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return fail(error, target, ec.message());
  }
  syncPath(folderOf(target), O_RDONLY | O_DIRECTORY);  // the rename itself; some file systems refuse
  return true;
}

bool writeFileAtomically(const fs::path& path, std::string_view contents, std::string* error) {
  if (const auto word = nonFiniteNumberIn(contents)) return fail(error, path, nonFiniteRefusal(*word));
  fs::path temporary;
  const int fd = createTemporary(path, temporary);
  if (fd < 0) return fail(error, path, errnoText(errno));
  const bool written = writeAll(fd, contents);
  const int why = errno;
  const bool closed = close(fd) == 0;
  if (!written || !closed) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return fail(error, path, errnoText(written ? errno : why));
  }
  return commitTemporary(temporary, path, error);
}

}  // namespace plumetra
