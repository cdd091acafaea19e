#pragma once
// A flock the analysis leaves out, and why: a plain value the analysis run, its summaries and
// the command line print.

#include <string>

namespace plumetra {

struct LeftOutFlock {
  int row = 0;         // flock row of the flock grid (1 = first flock)
  std::string house;   // the flock's HOUSE ID cell, when that item is matched
  std::string item;    // the item whose cell is odd: "live weight", "age", ...
  std::string reason;  // in the user's words: "no live weight", "age is text"
};

}  // namespace plumetra
