#include "montecarlo/sample_lanes.h"

#include <emmintrin.h>

#include "calculation/simd_level.h"

namespace tessavin::montecarlo {
namespace {

using V = double __attribute__((vector_size(16)));
using M = long long __attribute__((vector_size(16)));
inline int Bits(M m) {
    return _mm_movemask_pd(reinterpret_cast<__m128d>(m));
}

#include "montecarlo/sample_lanes_kernel.inc"

} // namespace

SampleLanes SampleLanesSse2() {
    return Lanes;
}

const SampleLanes& WideSampleLanes() {
    static const SampleLanes lanes = [] {
        SampleLanes wide{};
        switch (BestSimdLevel()) {
        case SimdLevel::Avx512:
            wide = SampleLanesAvx512();
            break;
        case SimdLevel::Avx2:
            wide = SampleLanesAvx2();
            break;
        case SimdLevel::Scalar:
            break;
        }
        return wide.addRows != nullptr ? wide : SampleLanesSse2();
    }();
    return lanes;
}

} // namespace tessavin::montecarlo
