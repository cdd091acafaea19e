#include "workspace/flock_sex.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "workspace/flock_selection.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

// Lower case letters and digits only: "As-Hatched" and "as hatched" read alike.
std::string squeezed(std::string_view text) {
  std::string out;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c))) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

struct SexWord {
  std::string_view word;
  int sex;
};
constexpr std::array SexWords{
    SexWord{"m", MaleSex},          SexWord{"male", MaleSex},          SexWord{"males", MaleSex},
    SexWord{"cockerel", MaleSex},   SexWord{"cockerels", MaleSex},     SexWord{"cock", MaleSex},
    SexWord{"cocks", MaleSex},      SexWord{"f", FemaleSex},           SexWord{"female", FemaleSex},
    SexWord{"females", FemaleSex},  SexWord{"pullet", FemaleSex},      SexWord{"pullets", FemaleSex},
    SexWord{"hen", FemaleSex},      SexWord{"hens", FemaleSex},        SexWord{"x", MixedSex},
    SexWord{"mixed", MixedSex},     SexWord{"mix", MixedSex},          SexWord{"ash", MixedSex},
    SexWord{"ah", MixedSex},        SexWord{"ashatched", MixedSex},    SexWord{"straightrun", MixedSex},
    SexWord{"sr", MixedSex},        SexWord{"strrun", MixedSex},       SexWord{"unsexed", MixedSex},
    SexWord{"mf", MixedSex},        SexWord{"both", MixedSex},         SexWord{"mixedsex", MixedSex},
};

std::vector<std::string> letterWordsOf(std::string_view heading) {
  std::vector<std::string> words;
  std::string word;
  for (char c : heading) {
    if (std::isalpha(static_cast<unsigned char>(c))) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

std::optional<int> sexOfText(std::string_view text) {
  const std::string key = squeezed(text);
  for (const SexWord& w : SexWords)
    if (key == w.word) return w.sex;
  return std::nullopt;
}

std::string_view sexName(int sex) {
  switch (sex) {
    case MaleSex:
      return "Males";
    case FemaleSex:
      return "Females";
    default:
      return "Mixed";
  }
}

bool namesFlockSex(std::string_view heading) {
  const std::vector<std::string> words = letterWordsOf(heading);
  // "Sex ratio" or "Sexing cost" hold no sex per flock.
  const bool sexWord = std::any_of(words.begin(), words.end(), [](const std::string& w) { return w == "sex" || w == "gender"; });
  const bool other = std::any_of(words.begin(), words.end(), [](const std::string& w) {
    return w == "ratio" || w == "cost" || w == "price" || w == "date" || w == "pct" || w == "percent";
  });
  return sexWord && !other;
}

bool holdsSexes(const Grid& grid, int col, int lastRow) {
  int filled = 0, sexes = 0;
  for (int r = 1; r <= lastRow && r < grid.rows(); ++r) {
    const std::string& text = grid.text(r, col);
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    ++filled;
    if (sexOfText(text)) ++sexes;
  }
  return filled > 0 && sexes * 2 >= filled;
}

FlockSexes flockSexesOf(const Workspace& ws, int chosenSex) {
  FlockSexes sexes;
  const int flocks = std::clamp(ws.flockCount, 0, MaxFlocks);
  sexes.sexOf.assign(static_cast<std::size_t>(flocks) + 1, chosenSex);
  const int col = matchedFlockColumn(ws, entryOf(OptionalItem::FlockSex));
  if (col < 0 || col >= ws.flockGrid.cols()) return sexes;
  for (int r = 1; r <= flocks; ++r) {
    const std::string& text = ws.flockGrid.text(flockGridRow(ws, r), col);
    if (const std::optional<int> sex = sexOfText(text))
      sexes.sexOf[static_cast<std::size_t>(r)] = *sex;
    else
      sexes.unknown.emplace_back(r, text);
  }
  return sexes;
}

std::string unknownSexMessage(const FlockSexes& sexes, int chosenSex) {
  if (sexes.unknown.empty()) return "";
  constexpr std::size_t shown = 3;
  const std::size_t n = sexes.unknown.size();
  std::string text = std::to_string(n) + (n == 1 ? " flock names" : " flocks name") + " no sex Plumetra knows (";
  for (std::size_t i = 0; i < n && i < shown; ++i) {
    const std::string& cell = sexes.unknown[i].second;
    text += std::string(i == 0 ? "" : ", ") + (cell.empty() ? "a blank" : "\"" + cell + "\"") + " for flock " +
            std::to_string(sexes.unknown[i].first);
  }
  text += n > shown ? ", ...)" : ")";
  return text + ": " + (n == 1 ? "it grows" : "they grow") + " as " + std::string(sexName(chosenSex)) +
         ", the flock sex chosen. Write M, F or X (Males, Females or Mixed) in the \"" +
         std::string(FlockSexDataId) + "\" column.";
}

int groupMajoritySex(const SplitFlocks& split, int group, int chosenSex) {
  std::array<int, 3> count{};
  for (const SplitFlock& f : split.flocks)
    if (group == AllGroups || f.group == group) ++count[static_cast<std::size_t>(std::clamp(sexOf(f, chosenSex), 0, 2))];
  return static_cast<int>(std::max_element(count.begin(), count.end()) - count.begin());
}

}  // namespace plumetra
