#include "localisation/language.h"

#include <atomic>

namespace tessavin {
namespace {
std::atomic<Language> activeLanguage{Language::English};
}

Language CurrentLanguage() {
    return activeLanguage.load(std::memory_order_relaxed);
}
void SetLanguage(Language language) {
    activeLanguage.store(language, std::memory_order_relaxed);
}

} // namespace tessavin
