#pragma once
// The core's Dialogs shown as real Qt dialogs, owned by a parent window.

#include "controls/clipboard.h"
#include "controls/dialogs.h"

#include <memory>

#include <QString>

class QWidget;
class QProgressDialog;

namespace plumetra::qt {

class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent);
  ~QtDialogs() override;

  void message(const std::string& text, const std::string& title) override;
  bool yesNo(const std::string& text, const std::string& title) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  std::optional<std::filesystem::path> openFile(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest& request) override;
  void busy(bool on) override;
  bool progress(const std::string& text, double fraction) override;

 private:
  QWidget* parent_;
  std::unique_ptr<QProgressDialog> progress_;
  bool busy_ = false;
};

class QtClipboard final : public Clipboard {
 public:
  std::string text() const override;
  void setText(const std::string& text) override;
};

// "Excel (*.xls)|*.xls|All files (*.*)|*.*" -> "Excel (*.xls);;All files (*.*)";
// "Location Files|*.clb *.cal|" -> "Location Files (*.clb *.cal)".
QString qtFileFilter(const std::string& filter);

}  // namespace plumetra::qt
