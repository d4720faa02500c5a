// The class-row kernel for AVX-512: eight lanes.
#include "calculation/class_rows.h"

#if defined(TESSAVIN_VECTOR_LANES)
namespace tessavin {
namespace {

using V = double __attribute__((vector_size(64)));

#include "calculation/class_rows_kernel.inc"

} // namespace

ClassRowKernel ClassRowKernelAvx512() {
    return &Row;
}

} // namespace tessavin
#else
namespace tessavin {
ClassRowKernel ClassRowKernelAvx512() {
    return nullptr;
}
} // namespace tessavin
#endif
