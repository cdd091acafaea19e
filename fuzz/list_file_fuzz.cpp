// A ".lst" file of column matches replayed onto a small flock table.

#include "fuzz/fuzz_support.h"
#include "state/app_state.h"
#include "state/load_inputs.h"

#include <memory>

namespace {

constexpr std::string_view Flocks =
    "Farm,House,Sex,Birds Placed,Age,Avg Weight,Convix,Starter,Grower,Finisher,Withdrawal,Density\r\n"
    "Pine Valley,1,X,35548,43,2.618,1.690,0.396,1.510,1.812,0.706,20.3\r\n"
    "Pine Valley,2,X,19567,36,2.121,1.533,0.417,1.108,1.726,0.000,18.6\r\n"
    "Oak Hill,1,M,22000,40,2.500,1.610,0.400,1.300,1.700,0.300,19.0\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumetra;
  static const std::filesystem::path flocks = fuzz::writeInput("flocks.csv", Flocks);
  LoadInputsOptions options;
  options.flocks = flocks;
  options.listFile = fuzz::writeInput("flocks.lst", data, size);
  auto state = std::make_unique<AppState>();
  loadInputs(*state, options, fuzz::quietDialogs());
  return 0;
}
