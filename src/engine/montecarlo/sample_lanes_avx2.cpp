// The simulation's lane kernels for AVX2: four lanes.
#include "montecarlo/sample_lanes.h"

#if defined(TESSAVIN_VECTOR_LANES)
#include <immintrin.h>

namespace tessavin::montecarlo {
namespace {

using V = double __attribute__((vector_size(32)));
using M = long long __attribute__((vector_size(32)));
inline int Bits(M m) {
    return _mm256_movemask_pd(reinterpret_cast<__m256d>(m));
}

#include "montecarlo/sample_lanes_kernel.inc"

} // namespace

SampleLanes SampleLanesAvx2() {
    return Lanes;
}

} // namespace tessavin::montecarlo
#else
namespace tessavin::montecarlo {
SampleLanes SampleLanesAvx2() {
    return {};
}
} // namespace tessavin::montecarlo
#endif
