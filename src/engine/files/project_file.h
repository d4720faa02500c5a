#pragma once
// The project file (.Vys): one calculation set-up with the histograms built so far, stored as a
// flat sequence of tagged binary values in one fixed order.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calculation/model.h"
#include "common/failure.h"
#include "histogram/histogram.h"
#include "parametric/input_histograms.h"

namespace tessavin {

// Everything a project file holds, in file order.
struct ProjectData {
    std::string projectName;          // EdProjekt
    bool controlPrintYes = false;     // Ano2 ticked
    bool controlPrintNo = true;       // Ne2 ticked
    bool english = true;              // Anglictina ticked: decides the language after opening
    bool czech = false;               // Cestina ticked: stored, not used when opening
    int crackOrigin = 0;              // CBSireni item
    int start = 0, step = 1, end = 0; // the period held by the calculation driver

    // Field texts as typed.
    std::string Pd{DefaultInputs().Pd};               // EdNavPravd
    std::string bf{DefaultInputs().bf};               // EdSirPas
    std::string C{DefaultInputs().C};                 // EdKonstC
    std::string tf{DefaultInputs().tf};               // EdTloPas
    std::string m{DefaultInputs().m};                 // EdMocM
    std::string eps{DefaultInputs().eps};             // EdEps
    std::string intervals{DefaultInputs().intervals}; // EdPocetIntervalu

    // [1..6]: Mi, Sigma and N texts, source and type choices of each random input.
    std::array<RandomInputFields, RandomInputCount + 1> random = DefaultRandomFields();
    std::array<DiscreteHistogram, RandomInputCount + 1> inputs{}; // InputHistogram[1..6]

    int method = DefaultInputs().method; // CBMetoda item; -1: none chosen
    std::string methodParameter; // text of the method's parameter field; methods 0 .. 3 only

    // DeltaS^m: the file keeps its span in place of its total.
    StateHistogram deltaSm;
    // Rad, Raac, RfU (R(ad) - Sn), RfF (R(aac) - Sn).
    std::array<DiscreteHistogram, 4> results{};

    // The class convention the stored histograms were computed under. Only Centre is written:
    // after everything else, as the text "CBKonvence" and the integer 1, so that a First project
    // keeps the established layout and readers of that layout stop before the tag.
    Convention convention = Convention::First;
    // Past inspections that found nothing: written after the convention tag, only when there
    // are some, as the text "EdProhlidky" and the years as one text ("50, 58").
    std::vector<int> inspected;
};

// Whether a method stores the text of a parameter field after its index.
bool MethodHasParameter(int method);

// The bytes of a project file.
std::string EncodeProject(const ProjectData& project);
// Reads the whole sequence. Failure texts: "Stream read error" (the data ends early) and
// "Invalid property value" (a value of an unexpected kind or out of range, or anything after the
// histograms other than the convention tag and the past inspections, in that order).
std::variant<ProjectData, Failure> DecodeProject(std::string_view bytes);

// Save: the file is replaced only once it is complete.
std::optional<Failure> WriteProjectFile(const std::filesystem::path& path,
                                        const ProjectData& project);
// Open: nothing is returned unless the whole file was read and accepted.
std::variant<ProjectData, Failure> ReadProjectFile(const std::filesystem::path& path);

// What the save command writes after a calculation. The language flags are those of the active
// language and the control-printing ticks follow controlPrint; a front end with menus overrides
// these five with its ticks.
ProjectData MakeProjectData(const CalculationInputs& in, const CalculationState& state);

// What opening a project does to the calculation: fields, choices, period (also as the accepted
// year texts), integration parameter, the class convention (the stored resistances hold only
// under their own), and every stored histogram. The six inputs, DeltaS^m,
// R(ad) and R(aac) become ready; Nn, Sn and the two reliability functions do not. controlPrint,
// the inspection bound and the language are left to the caller.
void ApplyProject(const ProjectData& project, CalculationInputs& in, CalculationState& state);

// Low-level value coding, exposed for the tests of the byte layout.
namespace project_values {
std::string Integer(std::int32_t value);
std::string Boolean(bool value);
std::string Real(double value);
std::string Text(std::string_view utf8);
} // namespace project_values

} // namespace tessavin
