#include "desktop/watching_dialogs.h"

namespace plumetra::qt {

void WatchingDialogs::message(const std::string& text, const std::string& title) {
  shown_.message(text, title);
  if (watchers_.told) watchers_.told(text);
}

std::optional<std::filesystem::path> WatchingDialogs::saveFile(const FileDialogRequest& request) {
  std::optional<std::filesystem::path> file = shown_.saveFile(request);
  if (file && watchers_.saveChosen) watchers_.saveChosen(*file);
  return file;
}

}  // namespace plumetra::qt
