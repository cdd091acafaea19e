#pragma once
// One writer per folder: an advisory record lock (fcntl) on the file ".plumetra.lock" in the
// folder, taken before a run writes its files there and held until it has written them all, so
// two runs into one folder never leave a set of files mixed from both. The kernel lets the
// lock go when its holder ends, however it ends, so a killed run never leaves the folder
// locked. The lock belongs to the process: taking it again in the same process succeeds at
// once, and letting go of any FolderLock of a folder lets go of the process's lock on it.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace plumetra {

inline constexpr std::string_view FolderLockFileName = ".plumetra.lock";

class FolderLock {
 public:
  // Takes the lock of `folder`, waiting up to `patience` while another process holds it
  // (`onWait` is called once when it has to wait); std::nullopt with the reason in *error when
  // it could not be taken.
  static std::optional<FolderLock> take(const std::filesystem::path& folder, std::chrono::milliseconds patience,
                                        std::string* error = nullptr, const std::function<void()>& onWait = {});

  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  // Keeps the lock until this process ends: for a command that writes into one folder and then
  // exits.
  void holdUntilExit() &&;

 private:
  explicit FolderLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace plumetra
