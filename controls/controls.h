#pragma once
// Plain-data state of the window controls other than grids. The Qt layer mirrors these.

#include "controls/colour.h"

#include <string>
#include <vector>

namespace plumetra {

struct Combo {
  std::vector<std::string> items;
  int index = -1;  // -1: nothing chosen
  std::string text;  // the edit text (a chosen item's text, or what was typed)
  bool enabled = true;
  bool visible = true;

  void clear() { items.clear(); index = -1; text.clear(); }
  void add(std::string item) { items.push_back(std::move(item)); }
  void choose(int i) {
    index = (i >= 0 && i < static_cast<int>(items.size())) ? i : -1;
    text = index >= 0 ? items[static_cast<size_t>(index)] : std::string{};
  }
  const std::string& chosen() const { return text; }
};

struct Button {
  std::string caption;
  Rgb background = colours::ButtonFace;
  bool enabled = true;
  bool visible = true;
  std::string toolTip;
};

struct TextBox {
  std::string text;
  std::string placeholder;  // shown greyed while the box is empty; never part of the text
  Rgb background = colours::Window;
  bool enabled = true;
  bool visible = true;
  std::string toolTip;
};

struct Label {
  std::string caption;
  bool visible = true;
};

struct CheckBox {
  std::string caption;
  bool checked = false;
  bool visible = true;
};

}  // namespace plumetra
