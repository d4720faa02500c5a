#pragma once
// How the batch program's process takes its memory. On virtual machines the first touch of each
// 4 KiB page costs some microseconds, so a short study spends more time in page faults than in
// its integrals unless its memory is kept and comes in 2 MiB pages.

namespace tessavin::cli {

// Memory a step frees stays with the process for the next step; every thread allocates from the
// one heap; the heap's next megabytes start on a 2 MiB boundary and ask for transparent huge
// pages. Call first thing in main, before any thread starts.
void SetUpProcessMemory();

} // namespace tessavin::cli
