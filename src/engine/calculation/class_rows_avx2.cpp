// The class-row kernel for AVX2: four lanes.
#include "calculation/class_rows.h"

#if defined(TESSAVIN_VECTOR_LANES)
namespace tessavin {
namespace {

using V = double __attribute__((vector_size(32)));

#include "calculation/class_rows_kernel.inc"

} // namespace

ClassRowKernel ClassRowKernelAvx2() {
    return &Row;
}

} // namespace tessavin
#else
namespace tessavin {
ClassRowKernel ClassRowKernelAvx2() {
    return nullptr;
}
} // namespace tessavin
#endif
