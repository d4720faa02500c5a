#pragma once
// The checks of the deterministic input fields when the user leaves one, shared by the input
// page and the batch program so that both accept exactly the same values.
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"

namespace tessavin {

struct CalculationInputs;

struct FieldCheck {
    bool accepted = true;       // the value goes into the calculation
    std::optional<Failure> box; // an error box to show, also for an accepted zero C
    bool focusBack = false;     // the focus returns to the field
};

// `control` is the field's control name (EdKonstC, EdMocM, EdSirPas, EdTloPas, EdNavPravd,
// EdEps, EdPocetIntervalu, EdRokT, EdRokKrok, EdRokKon); `startText` is the text of EdRokT,
// against which EdRokKon is checked, `endText` the text of EdRokKon, against which EdRokT is
// checked (an end that is no year is not compared). A start after the end is refused on the
// field being left, with the same message either way. Any other name is accepted unchecked.
FieldCheck CheckInputField(const std::string& control, const std::string& text,
                           const std::string& startText = "0", const std::string& endText = "");

struct InputFieldsCheck {
    std::optional<Failure> refusal; // the first field refused
    std::vector<Failure> remarks;   // boxes of the fields accepted before it (a zero C)
};
// The fields above as `in` holds them, in the order the input page visits them.
InputFieldsCheck CheckInputFields(const CalculationInputs& in);

} // namespace tessavin
