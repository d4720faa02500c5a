#include "caption_tables.h"

namespace tessavin::ui {

const std::vector<CaptionAssignment>& CaptionTable(int) {
    static const std::vector<CaptionAssignment> none;
    return none;
}

} // namespace tessavin::ui
