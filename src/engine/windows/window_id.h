#pragma once
// The windows of the desktop program, as the caption tables, the settings keys and the fronts
// name them. The registry (window_registry.h) has a row for each.
namespace tessavin {

enum class WindowId {
    Main,               // TForm1
    Histogram,          // TForm2
    RawData,            // TForm4
    SuitableHistograms, // TForm5
    About,              // TForm6
    EventGraph,         // TForm7
    Splash,             // TForm8
    Integration,        // TForm9
    SettingsListing,    // TForm10
    Sensitivity,        // TForm11: what drives the plan
};

} // namespace tessavin
