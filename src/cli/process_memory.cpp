#include "process_memory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// After a C library header, which says whether the library is glibc.
#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace tessavin::cli {
namespace {

#if defined(__linux__) && defined(__GLIBC__)
constexpr std::uintptr_t HugePage = 2u << 20;
// Heap reserved for huge pages: more than a default study's peak; only what is touched costs.
constexpr std::size_t HugeHeap = 16u << 20;

std::uintptr_t RoundUp(std::uintptr_t a) {
    return (a + HugePage - 1) & ~(HugePage - 1);
}

// The block that fills the heap up to its first 2 MiB boundary, held and never touched, so that
// the blocks after it lie in huge pages.
void* volatile gFiller = nullptr; // volatile: a block never read would be optimised away

void UseHugePages() {
    // A block of the reserve's size grows the heap; freed, it stays the heap's free top, from
    // whose start the next blocks are cut.
    void* block = std::malloc(HugeHeap);
    if (block == nullptr) return;
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t start = RoundUp(at);
    const std::uintptr_t end = (at + HugeHeap) & ~(HugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    std::free(block);
    // The filler's block begins where the freed one began and ends at the boundary (within
    // malloc's 16-byte chunk header).
    if (start - at > 64) gFiller = std::malloc(start - at - 16);
}
#endif

} // namespace

void SetUpProcessMemory() {
#if defined(__linux__) && defined(__GLIBC__)
    // A page handed back to the system and touched again costs a page fault; the program's peak
    // is a few megabytes a study.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    // Worker threads would otherwise each start a heap of their own in small pages.
    mallopt(M_ARENA_MAX, 1);
    UseHugePages();
#endif
}

} // namespace tessavin::cli
