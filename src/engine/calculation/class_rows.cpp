#include "calculation/class_rows.h"

#include "calculation/simd_level.h"

namespace tessavin {

ClassRowKernel WideClassRowKernel() {
    static const ClassRowKernel kernel = [] {
        switch (BestSimdLevel()) {
        case SimdLevel::Avx512:
            return ClassRowKernelAvx512();
        case SimdLevel::Avx2:
            return ClassRowKernelAvx2();
        case SimdLevel::Scalar:
            break;
        }
        return ClassRowKernel{nullptr};
    }();
    return kernel;
}

} // namespace tessavin
