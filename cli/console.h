#pragma once
// How plumetra-cli speaks: the summary on stdout; notes, warnings ("warning: ...") and progress
// on stderr, progress only when stderr is a terminal; errors always, as
// "plumetra-cli: error: ...". With -q/--quiet only the errors (and a requested JSON document)
// are left.

#include "controls/batch_dialogs.h"

#include <ostream>
#include <streambuf>
#include <string_view>

namespace plumetra::cli {

// Exit codes of every command.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;  // the data or the model failed
inline constexpr int ExitUsage = 2;

class Console {
 public:
  explicit Console(bool quiet);
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  bool quiet() const { return quiet_; }
  // The summary: stdout, or nowhere when quiet or when the summary is a JSON document.
  std::ostream& out(bool json = false);
  // The JSON document: stdout, quiet or not.
  std::ostream& json();
  // Notes on stderr; nowhere when quiet.
  std::ostream& notes();
  void warning(std::string_view text);
  // Dialogs that answer the core from the command's options and tell on notes().
  BatchDialogs dialogs();

 private:
  struct Discard : std::streambuf {
    int overflow(int c) override { return c == traits_type::eof() ? traits_type::not_eof(c) : c; }
  };
  bool quiet_;
  Discard discard_;
  std::ostream nowhere_{&discard_};
};

// "plumetra-cli: error: TEXT" on stderr; returns `code` for the caller to return, a failure
// of the data or the model unless told otherwise.
int fail(std::string_view text, int code = ExitFailure);

}  // namespace plumetra::cli
