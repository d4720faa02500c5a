#pragma once
// The active language of every text; read at every lookup, switched at run time.

namespace tessavin {

enum class Language { English, Czech };

Language CurrentLanguage();
void SetLanguage(Language language);

} // namespace tessavin
