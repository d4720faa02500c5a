#pragma once
// The vector instruction set the resistance kernels use, chosen once at run time.

namespace tessavin {

enum class SimdLevel { Scalar, Avx2, Avx512 };

// The widest level this processor runs; Scalar when the environment variable TESSAVIN_SIMD is
// "off", or where no vector kernels are built.
SimdLevel BestSimdLevel();

} // namespace tessavin
