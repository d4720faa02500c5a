#include "rawdata/class_count_advice.h"

#include <cmath>

#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {

int SturgesClassCount(int sampleCount) {
    const float lg = std::log10(static_cast<float>(sampleCount));
    return static_cast<int>(std::nearbyint(1.0L + 3.3L * lg));
}

std::optional<std::string> TooFewClassesAdvice(int sampleCount, int intervals) {
    const int s = SturgesClassCount(sampleCount);
    if (intervals >= s) return std::nullopt;
    return FormatMessage(TextCis(msg::SturgesAdvice), std::to_string(sampleCount)) +
           std::to_string(s) + "   !";
}

} // namespace tessavin
