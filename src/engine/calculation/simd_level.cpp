#include "calculation/simd_level.h"

#include <cstdlib>
#include <cstring>

namespace tessavin {

SimdLevel BestSimdLevel() {
    static const SimdLevel level = [] {
        const char* env = std::getenv("TESSAVIN_SIMD");
        if (env != nullptr && std::strcmp(env, "off") == 0) return SimdLevel::Scalar;
#if defined(TESSAVIN_VECTOR_LANES)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq"))
            return SimdLevel::Avx512;
        if (__builtin_cpu_supports("avx2")) return SimdLevel::Avx2;
#endif
        return SimdLevel::Scalar;
    }();
    return level;
}

} // namespace tessavin
