#pragma once
// the growth model's inputs and results.

namespace plumetra {

struct ModelState {};

}  // namespace plumetra
