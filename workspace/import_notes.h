#pragma once
// What an import cut at the program's limits, told to the user in one message.

#include <string>
#include <vector>

#include "controls/dialogs.h"

namespace plumetra {

inline void showImportNotes(Dialogs& dialogs, const std::vector<std::string>& notes) {
  if (notes.empty()) return;
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : "\n") + note;
  dialogs.message(text);
}

}  // namespace plumetra
