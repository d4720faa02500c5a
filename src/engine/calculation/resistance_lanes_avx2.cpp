// The resistance lane kernel for AVX2: four lanes, libmvec's AVX2 variants.
#include "calculation/resistance_lanes.h"

#if defined(TESSAVIN_VECTOR_LANES)
#include <immintrin.h>

// glibc's vector mathematics, by its reserved names.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" __m256d _ZGVdN4vv_pow(__m256d, __m256d);
extern "C" __m256d _ZGVdN4v_cos(__m256d);
// NOLINTEND(bugprone-reserved-identifier)

namespace tessavin {
namespace {

using V = __m256d;
inline V Pow(V x, V y) {
    return _ZGVdN4vv_pow(x, y);
}
inline V Cos(V x) {
    return _ZGVdN4v_cos(x);
}
inline V Sqrt(V x) {
    return _mm256_sqrt_pd(x);
}

#include "calculation/resistance_lanes_kernel.inc"

} // namespace

LaneKernel LaneKernelAvx2() {
    return &Kernel;
}

} // namespace tessavin
#else
namespace tessavin {
LaneKernel LaneKernelAvx2() {
    return nullptr;
}
} // namespace tessavin
#endif
