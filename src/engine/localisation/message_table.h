#pragma once
#include <cstddef>

namespace tessavin {

struct MessageEntry {
    int number;
    const char* english;
    const char* czech;
};

extern const MessageEntry kMessageTable[];
extern const std::size_t kMessageTableSize;

} // namespace tessavin
