#pragma once
// The default inputs: what the defaults command writes into the fields and the integration
// window, and what a new calculation, a new project and a missing settings key start from.
#include <string_view>

namespace tessavin {

struct InputDefaults {
    std::string_view C = "2.2E-13";     // EdKonstC
    std::string_view m = "3";           // EdMocM
    std::string_view bf = "400";        // EdSirPas
    std::string_view tf = "25";         // EdTloPas
    double tfValue = 25;                // tf as a number
    std::string_view Pd = "2.277E-2";   // EdNavPravd
    std::string_view yearStart = "0";   // EdRokT
    std::string_view yearStep = "1";    // EdRokKrok
    std::string_view yearEnd = "150";   // EdRokKon
    std::string_view eps = "1E-8";      // EdEps
    std::string_view intervals = "128"; // EdPocetIntervalu; also N of the six random inputs
    // The integration window: each parameter as its field text and as the number it stands for.
    int method = 4;                    // CBMetoda item
    std::string_view methodText = "4"; // the same as a settings value
    int steps = 1000;                  // EdNintegrace
    std::string_view stepsText = "1000";
    int levels = 10; // EdN
    std::string_view levelsText = "10";
    double tol0 = 0.0001; // EdTol0
    std::string_view tol0Text = "0.0001";
};

constexpr InputDefaults DefaultInputs() {
    return {};
}

} // namespace tessavin
