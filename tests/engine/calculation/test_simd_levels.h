#pragma once
#include <vector>

#include "calculation/simd_level.h"

namespace tessavin {
// The scalar path and every vector level this processor runs (defined with the exactness test).
std::vector<SimdLevel> SimdLevelsHere();
} // namespace tessavin
