#include "files/folder_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

namespace plumetra {

namespace {

constexpr std::chrono::milliseconds PollInterval{50};

int openLockFile(const std::filesystem::path& folder) {
  return open((folder / FolderLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

struct flock wholeFile(short type) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;  // start 0, length 0: the whole file
  return range;
}

}  // namespace

std::optional<FolderLock> FolderLock::take(const std::filesystem::path& folder, std::chrono::milliseconds patience,
                                           std::string* error, const std::function<void()>& onWait) {
  const int fd = openLockFile(folder);
  if (fd < 0) {
    if (error) *error = "cannot lock " + folder.string() + ": " + std::strerror(errno);
    return std::nullopt;
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  bool waited = false;
  for (struct flock range = wholeFile(F_WRLCK); fcntl(fd, F_SETLK, &range) != 0; range = wholeFile(F_WRLCK)) {
    if (errno != EAGAIN && errno != EACCES && errno != EINTR) {
      if (error) *error = "cannot lock " + folder.string() + ": " + std::strerror(errno);
      close(fd);
      return std::nullopt;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      if (error) *error = "another run is still writing into " + folder.string() + "; try again when it has finished";
      close(fd);
      return std::nullopt;
    }
    if (!std::exchange(waited, true) && onWait) onWait();
    std::this_thread::sleep_for(PollInterval);
  }
  return FolderLock(fd);
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) close(fd_);
}

void FolderLock::holdUntilExit() && { fd_ = -1; }

}  // namespace plumetra
