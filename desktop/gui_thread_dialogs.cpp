#include "desktop/gui_thread_dialogs.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <functional>

namespace plumetra::qt {

namespace {
// Runs `call` on the thread of `guiObject` and waits for it; directly when already there.
void onGuiThread(QObject* guiObject, const std::function<void()>& call) {
  if (QThread::currentThread() == guiObject->thread())
    call();
  else
    QMetaObject::invokeMethod(guiObject, call, Qt::BlockingQueuedConnection);
}
}  // namespace

void GuiThreadDialogs::message(const std::string& text, const std::string& title) {
  onGuiThread(guiObject_, [&] { target_.message(text, title); });
}

bool GuiThreadDialogs::yesNo(const std::string& text, const std::string& title) {
  bool answer = false;
  onGuiThread(guiObject_, [&] { answer = target_.yesNo(text, title); });
  return answer;
}

std::optional<std::string> GuiThreadDialogs::input(const std::string& prompt, const std::string& title,
                                                   const std::string& defaultText) {
  std::optional<std::string> answer;
  onGuiThread(guiObject_, [&] { answer = target_.input(prompt, title, defaultText); });
  return answer;
}

std::optional<std::filesystem::path> GuiThreadDialogs::openFile(const FileDialogRequest& request) {
  std::optional<std::filesystem::path> answer;
  onGuiThread(guiObject_, [&] { answer = target_.openFile(request); });
  return answer;
}

std::optional<std::filesystem::path> GuiThreadDialogs::saveFile(const FileDialogRequest& request) {
  std::optional<std::filesystem::path> answer;
  onGuiThread(guiObject_, [&] { answer = target_.saveFile(request); });
  return answer;
}

void GuiThreadDialogs::busy(bool on) {
  onGuiThread(guiObject_, [&] { target_.busy(on); });
}

bool GuiThreadDialogs::progress(const std::string& text, double fraction) {
  bool keepGoing = true;
  onGuiThread(guiObject_, [&] { keepGoing = target_.progress(text, fraction); });
  return keepGoing;
}

}  // namespace plumetra::qt
