#include "cli/analysis_json.h"

#include "analysis/sex_comparison.h"
#include "workspace/flock_sex.h"

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
  if (readsAsNumber(shown)) json.value(readNumber(shown));
  else json.null();
}

void writeDifference(JsonWriter& json, const char* name, const MeanDifference& d) {
  json.key(name).beginObject().member("difference", d.difference).member("t", d.t).member("df", d.df);
  json.member("p", d.p).member("ci95_low", d.ci95.low).member("ci95_high", d.ci95.high).endObject();
}

constexpr const char* SlopeSourceNames[] = {"data", "chosen", "rule"};

// Whether the feed-conversion groups still differ once adjusted to a standard weight.
void writeFcrAdjustment(JsonWriter& json, const AdjustedComparison& c) {
  const FcrSlope& s = c.adjustment.slope;
  json.key("fcr_adjustment").beginObject();
  json.member("standard_weight_kg", c.adjustment.standardWeight)
      .member("slope_per_kg", s.slope)
      .member("slope_source", SlopeSourceNames[static_cast<int>(s.source)])
      .member("slope_se", s.standardError)
      .member("slope_ci95_low", s.ci95.low)
      .member("slope_ci95_high", s.ci95.high)
      .member("slope_flocks", s.flocks);
  json.key("adjusted_fcr").beginArray();
  for (int g = 1; g <= 4; ++g) {
    const Moments& m = c.adjusted.groups[static_cast<std::size_t>(g)];
    const Interval ci = meanInterval95(m);
    json.beginObject().member("group", GroupNames[static_cast<std::size_t>(g)]).member("n", m.n);
    json.member("mean", m.mean).member("sd", m.sd).member("ci95_low", ci.low).member("ci95_high", ci.high).endObject();
  }
  json.endArray();
  writeDifference(json, "raw_low_high", c.rawLowHigh);
  writeDifference(json, "adjusted_low_high", c.adjustedLowHigh);
  json.member("verdict", adjustedVerdict(c)).endObject();
}

// What the feed costs are in: the unit a price is for (null when it was guessed) and the
// currency (null when none was given).
void writeFeedPricing(JsonWriter& json, const FeedPricing& p) {
  json.key("feed_costs").beginObject();
  json.key("price_per");
  if (p.unit) json.value(std::string(costUnitName(*p.unit)));
  else json.null();
  json.member("price_per_source", p.unit ? p.unitSource : "guessed: a cost above 30 per bird taken as priced per tonne");
  json.key("currency");
  if (p.currency.empty()) json.null();
  else json.value(p.currency);
  json.endObject();
}

}  // namespace

void writeAnalysisMember(JsonWriter& json, const AnalysisSummary& summary, const TidyTables& tables) {
  json.key("analysis").beginObject();
  json.member("sorted_by", summary.sortHeading)
      .member("sorted_by_feed_conversion", summary.sortedByConversion)
      .member("split_percent", summary.splitText)
      .member("split_by", tables.splitBy)
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
        .member("mean_ci95_low", g.meanCi95.low)
        .member("mean_ci95_high", g.meanCi95.high)
        .member("diff_low_high", g.lowHigh.difference)
        .member("diff_ci95_low", g.lowHigh.ci95.low)
        .member("diff_ci95_high", g.lowHigh.ci95.high)
        .member("df_low_high", g.lowHigh.df)
        .endObject();
  json.endArray();
  // Each flock's group under its key, as the per-flock tables give it.
  json.key("flock_groups").beginArray();
  for (std::size_t i = 0; i < tables.keys.size(); ++i) {
    const FlockKey& key = tables.keys[i];
    json.beginObject().member("farm", key.farm).member("house", key.house).member("source_row", key.sourceRow);
    if (tables.dateKnown) json.member("date", key.date);
    json.member("group", GroupNames[static_cast<std::size_t>(tables.groups[i])]).endObject();
  }
  json.endArray();
  if (!tables.keys.empty()) writeFcrAdjustment(json, tables.fcrComparison);
  if (tables.costPricing) writeFeedPricing(json, *tables.costPricing);
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

void writePairTestsMember(JsonWriter& json, const char* name, const LeagueTable& league) {
  json.key(name).beginArray();
  for (const LeaguePair& pair : league.pairTests)
    json.beginObject()
        .member("first", league.entries[pair.first].name)
        .member("second", league.entries[pair.second].name)
        .member("difference", pair.difference)
        .member("t", pair.t)
        .member("df", pair.df)
        .member("p", pair.p)
        .member("holm_p", pair.holmP)
        .endObject();
  json.endArray();
}

void writeBySexMember(JsonWriter& json, const SplitFlocks& split, int chosenSex, const std::array<double, 4>& splitPercent) {
  const std::vector<SexComparison> bySex = compareBySex(split, chosenSex, splitPercent);
  if (bySex.empty()) return;
  json.key("by_sex").beginArray();
  for (const SexComparison& c : bySex)
    json.beginObject()
        .member("sex", std::string(sexName(c.sex)))
        .member("flocks", c.ownSplit[0])
        .member("in_low", c.flocks[1])
        .member("in_middle", c.flocks[2])
        .member("in_high", c.flocks[3])
        .member("own_low", c.ownSplit[1])
        .member("own_high", c.ownSplit[3])
        .member("low_fcr", c.lowFcr.mean)
        .member("high_fcr", c.highFcr.mean)
        .member("difference", c.fcr.difference)
        .member("t", c.fcr.t)
        .member("p", c.fcr.p)
        .endObject();
  json.endArray();
  json.key("group_sexes").beginArray();
  for (int g = 1; g <= 3; ++g) json.value(std::string(sexName(groupMajoritySex(split, g, chosenSex))));
  json.endArray();
}

void writeFilesMember(JsonWriter& json, const std::vector<std::filesystem::path>& files) {
  json.key("files").beginArray();
  for (const std::filesystem::path& file : files) json.value(file.string());
  json.endArray();
}

}  // namespace plumetra::cli
