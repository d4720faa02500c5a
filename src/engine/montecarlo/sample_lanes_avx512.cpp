// The simulation's lane kernels for AVX-512: eight lanes.
#include "montecarlo/sample_lanes.h"

#if defined(TESSAVIN_VECTOR_LANES)
#include <immintrin.h>

namespace tessavin::montecarlo {
namespace {

using V = double __attribute__((vector_size(64)));
using M = long long __attribute__((vector_size(64)));
inline int Bits(M m) {
    return static_cast<int>(_mm512_movepi64_mask(reinterpret_cast<__m512i>(m)));
}

#include "montecarlo/sample_lanes_kernel.inc"

} // namespace

SampleLanes SampleLanesAvx512() {
    return Lanes;
}

} // namespace tessavin::montecarlo
#else
namespace tessavin::montecarlo {
SampleLanes SampleLanesAvx512() {
    return {};
}
} // namespace tessavin::montecarlo
#endif
