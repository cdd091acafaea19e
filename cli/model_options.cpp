#include "cli/model_options.h"

#include "model/breed_data.h"
#include "model/composition_sets.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <system_error>

namespace plumetra::cli {

namespace {

using Choices = std::map<std::string, int>;

const Choices EnergyUnits{{"kcal/kg", 0}, {"kcal/lb", 1}, {"mcal/kg", 2}, {"mcal/lb", 3}, {"mj/kg", 4}};
const Choices WeightUnits{{"kg", 0}, {"lb", 1}, {"g", 2}};
const Choices CostUnits{{"kg", 0}, {"tonne", 1}, {"lb", 2}, {"short-ton", 3}, {"100lb", 4}};
const Choices AminoBases{{"total", 0}, {"avail", 1}};
const std::map<std::string, bool> BreedTypes{{"lean", false}, {"traditional", true}};

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The breed index of "N" or of a breed name (case does not matter); -1 when not known.
int findBreed(const ModelState& model, const std::string& text) {
  int index = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
  if (ec == std::errc{} && end == text.data() + text.size())
    return index >= 0 && index <= model.settings.breedCount ? index : -1;
  for (int b = 0; b <= model.settings.breedCount && b < MaxBreeds; ++b)
    if (!model.settings.breedNames[b].empty() && lower(model.settings.breedNames[b]) == lower(text)) return b;
  return -1;
}

}  // namespace

void addModelOptions(CLI::App& command, ModelOptions& options) {
  command.add_option("--energy-unit", options.energyChoice, "Energy unit of the settings")
      ->transform(CLI::CheckedTransformer(EnergyUnits, CLI::ignore_case))
      ->option_text("kcal/kg|kcal/lb|mcal/kg|mcal/lb|mj/kg");
  command.add_option("--weight-unit", options.weightChoice, "Weight unit of feed amounts in files")
      ->transform(CLI::CheckedTransformer(WeightUnits, CLI::ignore_case))
      ->option_text("kg|lb|g");
  command.add_option("--cost-unit", options.costChoice, "Unit feed costs are given per")
      ->transform(CLI::CheckedTransformer(CostUnits, CLI::ignore_case))
      ->option_text("kg|tonne|lb|short-ton|100lb");
  command.add_option("--currency", options.currency, "Currency of the feed costs, as costs are labelled (EUR, USD, £)")
      ->check([](const std::string& text) {
        const bool fits = !text.empty() && text.size() <= 8 &&
                          std::none_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c) || std::iscntrl(c); });
        return fits ? std::string() : "a currency is 1 to 8 characters without blanks, such as EUR";
      })
      ->option_text("LABEL");
  command.add_option("--amino", options.aminoBasis, "Amino-acid values are total or available")
      ->transform(CLI::CheckedTransformer(AminoBases, CLI::ignore_case))
      ->option_text("total|avail");
  command.add_option("--male-breed", options.maleBreed, "Predominant male breed (index or name)")
      ->option_text("N|NAME");
  command.add_option("--female-breed", options.femaleBreed, "Predominant female breed (index or name)")
      ->option_text("N|NAME");
  command.add_option("--breed-type", options.traditional, "Lean or traditional breed")
      ->transform(CLI::CheckedTransformer(BreedTypes, CLI::ignore_case))
      ->option_text("lean|traditional");
}

bool applyModelOptions(const ModelOptions& options, ModelState& model, Dialogs& dialogs,
                       std::string& error) {
  loadBreedData(model, breedDataFolder(executableFolder()), dialogs);
  model.settings.units.energyChoice = options.energyChoice.value_or(0);
  model.settings.units.weightChoice = options.weightChoice.value_or(0);
  model.settings.units.costChoice = options.costChoice.value_or(0);
  model.settings.units.aminoBasis = static_cast<AminoBasis>(options.aminoBasis.value_or(0));

  const auto chooseBreed = [&](const std::string& text, int& breed, const char* sex) {
    if (text.empty()) return true;
    breed = findBreed(model, text);
    if (breed >= 0) return true;
    error = std::string("unknown ") + sex + " breed '" + text + "'";
    return false;
  };
  if (!chooseBreed(options.maleBreed, model.settings.maleBreed, "male") ||
      !chooseBreed(options.femaleBreed, model.settings.femaleBreed, "female"))
    return false;

  model.settings.traditionalBreed = options.traditional;
  model.inputs.fatCurve[2].A = options.traditional ? TraditionalFemaleFat : LeanFemaleFat;
  return true;
}

void reapplyGivenOptions(const ModelOptions& options, ModelState& model, std::ostream& notes) {
  const auto reapply = [&](const std::optional<int>& given, int& inForce, const char* option, const Choices& names) {
    if (!given || *given == inForce) return;
    const auto name = [&](int value) {
      for (const auto& [text, index] : names)
        if (index == value) return text;
      return std::to_string(value);
    };
    notes << "Note: " << option << ' ' << name(*given) << " overrides the location's " << name(inForce) << '\n';
    inForce = *given;
  };
  reapply(options.energyChoice, model.settings.units.energyChoice, "--energy-unit", EnergyUnits);
  reapply(options.weightChoice, model.settings.units.weightChoice, "--weight-unit", WeightUnits);
  reapply(options.costChoice, model.settings.units.costChoice, "--cost-unit", CostUnits);
  int basis = static_cast<int>(model.settings.units.aminoBasis);
  reapply(options.aminoBasis, basis, "--amino", AminoBases);
  model.settings.units.aminoBasis = static_cast<AminoBasis>(basis);
  const auto reapplyBreed = [&](const std::string& text, int& inForce, const char* option) {
    if (text.empty()) return;
    const int breed = findBreed(model, text);
    if (breed < 0 || breed == inForce) return;
    notes << "Note: " << option << ' ' << text << " overrides the location's breed " << inForce << '\n';
    inForce = breed;
  };
  reapplyBreed(options.maleBreed, model.settings.maleBreed, "--male-breed");
  reapplyBreed(options.femaleBreed, model.settings.femaleBreed, "--female-breed");
}

FeedPricing givenPricing(const ModelOptions& options, const ModelState& model, bool locationOpened) {
  FeedPricing pricing;
  if (options.costChoice) {
    pricing.unit = options.costChoice;
    pricing.unitSource = "--cost-unit";
  } else if (locationOpened) {
    pricing = pricingOfSettings(model.settings.units, "the location's settings");
  }
  if (!options.currency.empty()) {
    pricing.currency = options.currency;
    pricing.currencySource = "--currency";
  }
  return pricing;
}

std::filesystem::path executableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

}  // namespace plumetra::cli
