#include "cli/analysis_json.h"

#include "controls/number_format.h"

namespace plumetra::cli {

namespace {

void writeNotes(JsonWriter& json, const std::vector<FlockNote>& notes, const char* noteName) {
  json.beginArray();
  for (const FlockNote& n : notes) json.beginObject().member("flock", n.flock).member(noteName, n.note).endObject();
  json.endArray();
}

// A mean the summary shows as text, as a number (null when there is none).
void writeShownNumber(JsonWriter& json, const char* name, const std::string& shown) {
  json.key(name);
  if (readsAsNumber(shown)) json.value(ReadNumber(shown));
  else json.null();
}

}  // namespace

void writeAnalysisMember(JsonWriter& json, const AnalysisSummary& summary, const TidyTables& tables) {
  json.key("analysis").beginObject();
  json.member("sorted_by", summary.sortHeading)
      .member("sorted_by_feed_conversion", summary.sortedByConversion)
      .member("split_percent", summary.splitText)
      .member("flocks", static_cast<int>(tables.keys.size()));
  json.key("groups").beginArray();
  for (const GroupMeasure& g : tables.groupMeasures)
    json.beginObject()
        .member("group", g.group)
        .member("measure", g.measure)
        .member("n", g.moments.n)
        .member("mean", g.moments.mean)
        .member("sd", g.moments.sd)
        .member("t_low_high", g.tLowHigh)
        .member("p_low_high", g.pLowHigh)
        .endObject();
  json.endArray();
  if (summary.textFirstSort) {
    json.key("categories").beginArray();
    for (const GroupLine& c : summary.groups) {
      json.beginObject().member("category", c.name).member("flocks", c.flocks);
      writeShownNumber(json, "live_weight_kg", c.weight);
      writeShownNumber(json, "age_d", c.age);
      writeShownNumber(json, "fcr", c.conversion);
      json.endObject();
    }
    json.endArray();
  }
  json.key("outliers").beginObject().member("found", summary.outliersFound).member("removed", summary.outliersRemoved);
  json.key("flocks");
  writeNotes(json, summary.outliers, "feed_conversion");
  json.endObject();
  json.key("left_out");
  writeNotes(json, summary.leftOut, "reason");
  json.endObject();
}

void writeFilesMember(JsonWriter& json, const std::vector<std::filesystem::path>& files) {
  json.key("files").beginArray();
  for (const std::filesystem::path& file : files) json.value(file.string());
  json.endArray();
}

}  // namespace plumetra::cli
