#pragma once

#include <string>

namespace plumetra {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
};

// A clipboard held in memory: the command line's and the tests'.
class MemoryClipboard final : public Clipboard {
 public:
  std::string text() const override { return text_; }
  void setText(const std::string& text) override { text_ = text; }

 private:
  std::string text_;
};

}  // namespace plumetra
