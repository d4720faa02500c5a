// The resistance lane kernel for AVX-512: eight lanes, libmvec's AVX-512 variants.
#include "calculation/resistance_lanes.h"

#if defined(TESSAVIN_VECTOR_LANES)
#include <immintrin.h>

// glibc's vector mathematics, by its reserved names.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" __m512d _ZGVeN8vv_pow(__m512d, __m512d);
extern "C" __m512d _ZGVeN8v_cos(__m512d);
// NOLINTEND(bugprone-reserved-identifier)

namespace tessavin {
namespace {

using V = __m512d;
inline V Pow(V x, V y) {
    return _ZGVeN8vv_pow(x, y);
}
inline V Cos(V x) {
    return _ZGVeN8v_cos(x);
}
// GCC: the builtin, as the intrinsic wrapper draws a false "may be used uninitialized" from
// GCC 12; other compilers take the intrinsic.
inline V Sqrt(V x) {
#if defined(__clang__)
    return _mm512_sqrt_pd(x);
#else
    return __builtin_ia32_sqrtpd512_mask(x, x, -1, _MM_FROUND_CUR_DIRECTION);
#endif
}

#include "calculation/resistance_lanes_kernel.inc"

} // namespace

LaneKernel LaneKernelAvx512() {
    return &Kernel;
}

} // namespace tessavin
#else
namespace tessavin {
LaneKernel LaneKernelAvx512() {
    return nullptr;
}
} // namespace tessavin
#endif
