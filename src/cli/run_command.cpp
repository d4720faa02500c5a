#include "run_command.h"

#include <unistd.h>

#include <atomic>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <variant>

#include <nlohmann/json.hpp>

#include "calculation/driver.h"
#include "calculation/integration_settings.h"
#include "calculation/result_text_file.h"
#include "cli_args.h"
#include "cli_output.h"
#include "common/number_parse.h"
#include "common/regular_file.h"
#include "files/project_checks.h"
#include "files/project_file.h"
#include "localisation/language.h"
#include "run_input.h"

namespace tessavin::cli {
namespace {

constexpr int kInterrupted = 130;

std::atomic<bool>* g_interrupt = nullptr;

extern "C" void OnSigint(int) {
    if (g_interrupt) g_interrupt->store(true);
}

int Refuse(const std::string& message) {
    std::cerr << "tessavin-cli run: " << ForTerminal(message) << "\n";
    return kBadInput;
}

void Remark(const std::string& kind, const std::string& message) {
    std::cerr << kind << ": " << ForTerminal(message) << "\n";
}

// A one-line progress display on a terminal's stderr.
class ProgressLine {
  public:
    explicit ProgressLine(bool on) : on_(on) {}
    void Show(const std::string& text) {
        if (!on_) return;
        std::lock_guard<std::mutex> lock(mutex_);
        std::fprintf(stderr, "\r%-70s", text.c_str());
        std::fflush(stderr);
        shown_ = true;
    }
    void Done() {
        if (on_ && shown_) std::fprintf(stderr, "\r%-70s\r", "");
        shown_ = false;
    }

  private:
    bool on_;
    bool shown_ = false;
    std::mutex mutex_;
};

std::vector<double> Row(const CalculationState& s, int block, int row,
                        const std::vector<int>& years) {
    std::vector<double> v;
    for (int y : years) v.push_back(s.Event(block, row, y));
    return v;
}

void PrintJson(const RunResult& r, const CalculationState& s) {
    nlohmann::ordered_json j;
    std::vector<int> years;
    std::vector<double> pU, pD, pF;
    for (const YearRow& row : r.rows) {
        years.push_back(row.year);
        pU.push_back(row.pU);
        pD.push_back(row.pD);
        pF.push_back(row.pF);
    }
    j["years"] = years;
    j["pU"] = pU;
    j["pD"] = pD;
    j["pF"] = pF;
    j["saturated"] = r.saturated;
    if (r.first && r.first->found)
        j["first_inspection"] = {r.first->from, r.first->to};
    else
        j["first_inspection"] = nullptr;
    j["first_inspection_text"] = r.first ? r.first->label : "";
    nlohmann::ordered_json inspections = nlohmann::ordered_json::array();
    for (int k = 1; k <= InspectionRows; ++k)
        if (r.plan.rows[k].found) inspections.push_back({r.plan.rows[k].from, r.plan.rows[k].to});
    j["inspections"] = inspections;
    nlohmann::ordered_json blocks = nlohmann::ordered_json::object();
    if (r.furtherSearched) {
        for (int b = 2; b <= ProbabilityBlocks; ++b) {
            bool any = false;
            for (int y : years) any = any || s.Event(b, 1, y) != 0.0;
            if (!any) continue;
            blocks[std::to_string(b)] = {{"r1", Row(s, b, 1, years)},
                                         {"r2", Row(s, b, 2, years)},
                                         {"r3", Row(s, b, 3, years)}};
        }
    }
    j["blocks"] = blocks;
    nlohmann::ordered_json h;
    h["Rad"] = HistogramJson(s.Rad);
    h["Raac"] = HistogramJson(s.Raac);
    h["DeltaSm"] = HistogramJson(s.DeltaSm);
    nlohmann::ordered_json inputs = nlohmann::ordered_json::array();
    for (int k = 1; k <= RandomInputCount; ++k) inputs.push_back(HistogramJson(s.inputs.histogram[k]));
    h["inputs"] = inputs;
    j["histograms"] = h;
    std::cout << j.dump(1) << "\n";
}

// A .Vys file is a project of the desktop program; anything else is JSON input.
bool IsProjectFile(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".vys";
}

void PrintCsv(const RunResult& r) {
    std::cout << "year,pU,pD,pF\n";
    char line[128];
    for (const YearRow& row : r.rows) {
        std::snprintf(line, sizeof line, "%d,%.17g,%.17g,%.17g\n", row.year, row.pU, row.pD,
                      row.pF);
        std::cout << line;
    }
}

void PrintTable(const RunResult& r, const RunPlan& plan, const CalculationInputs& in) {
    std::cout << ForTerminal(plan.periodLabel) << "\n" << MethodLine(in.integration) << "\n\n";
    std::cout << " Year  p ( U )                p ( D )                p ( F )\n";
    char line[160];
    for (const YearRow& row : r.rows) {
        std::snprintf(line, sizeof line, "%-6s%-23s%-23s%s\n", row.yearText.c_str(),
                      row.texts[0].c_str(), row.texts[1].c_str(), row.texts[2].c_str());
        std::cout << line;
    }
    if (r.first) std::cout << "\nFirst inspection: " << ForTerminal(r.first->label) << "\n";
    bool any = false;
    for (int k = 1; k <= InspectionRows; ++k) any = any || !r.plan.rows[k].rangeText.empty();
    if (any) {
        std::cout << "\nInspections:\n";
        for (int k = 1; k <= InspectionRows; ++k)
            if (!r.plan.rows[k].rangeText.empty())
                std::cout << r.plan.rows[k].numberText << r.plan.rows[k].rangeText << "\n";
    }
}

} // namespace

int RunCalculationCommand(const std::vector<std::string>& words) {
    if (words.empty() || words[0].rfind("--", 0) == 0) return Refuse("an input file is required");
    std::optional<Args> args;
    try {
        args.emplace(std::vector<std::string>(words.begin() + 1, words.end()),
                     std::set<std::string>{"threads", "text-report", "lang", "save-project"},
                     std::set<std::string>{"json", "csv"});
    } catch (const std::invalid_argument& e) {
        return Refuse(e.what());
    }
    if (args->has("json") && args->has("csv")) return Refuse("--json and --csv exclude each other");
    if (!ApplyLanguageOption(*args)) return Refuse("--lang must be en or cs");
    DriverOptions options;
    if (const auto t = args->value("threads")) {
        const auto n = ParseWhole(*t);
        if (!n || *n < 1 || *n > 256) return Refuse("--threads must be a whole number 1 .. 256");
        options.threads = static_cast<int>(*n);
    }

    CalculationInputs in;
    CalculationState state;
    if (IsProjectFile(words[0])) {
        // As the desktop program after opening it: the stored histograms are used as they are,
        // once they and the field texts have passed the checks of the input page.
        auto read = OpenProjectFile(words[0]);
        if (const Failure* f = std::get_if<Failure>(&read)) return Refuse(f->text);
        const ProjectData& project = std::get<ProjectData>(read);
        ApplyProject(project, in, state);
        if (!args->value("lang"))
            SetLanguage(project.english ? Language::English : Language::Czech);
    } else {
        auto text = ReadRegularFile(words[0], MaxUserFileBytes);
        if (const FileReadFailure* f = std::get_if<FileReadFailure>(&text))
            return Refuse("cannot read '" + words[0] + "': " + f->reason);
        const RunInputOutcome read = ReadRunInput(std::get<std::string>(text), in);
        if (!read.ok) return Refuse(read.error);
        for (const std::string& w : read.warnings) Remark("warning", w);
    }
    in.controlPrint = args->has("text-report");

    CalculationDriver driver(in, state);
    const RunPlan plan = driver.Prepare();
    for (std::size_t i = 0; i < plan.rebuilt.size(); ++i) {
        for (const Failure& f : plan.rebuilt[i].reports)
            Remark(f.caption == 3 ? "error" : "warning", f.text);
        if (plan.rebuilt[i].status != RebuildOutcome::Status::Built)
            return Refuse("input " + std::to_string(plan.rebuiltInputs[i]) +
                          " gives no histogram for its parameters");
    }
    if (plan.warning) Remark("warning", plan.warning->text);
    if (plan.error) return Refuse(plan.error->text);

    ProgressLine progress(isatty(STDERR_FILENO) == 1);
    options.resistanceProgress = [&](const ResistanceProgress& p) {
        progress.Show("resistance: a0 class " + std::to_string(p.classesDone) + "/" +
                      std::to_string(p.classes) + ", remaining " + TimeText(p.remainingMs));
    };
    options.gauge = [&](int position, int maximum) {
        progress.Show("years: " + std::to_string(position) + "/" + std::to_string(maximum));
    };
    g_interrupt = &state.Interrupt;
    std::signal(SIGINT, OnSigint);
    const RunResult result = driver.Run(plan, options);
    std::signal(SIGINT, SIG_DFL);
    g_interrupt = nullptr;
    progress.Done();

    if (result.end == RunEnd::Failed || result.end == RunEnd::YearLimit) {
        for (const Failure& f : result.errors) Remark("error", f.text);
        return kBadInput;
    }
    for (const Failure& f : result.warnings) Remark("warning", f.text);

    if (const auto report = args->value("text-report")) {
        if (result.writeResultFile) {
            if (const auto failure = WriteResultTextFile(*report, in, state))
                return Refuse(failure->text);
        } else {
            Remark("note", "no text report: the calculation ended before the inspections");
        }
    }
    // Saved as the desktop program saves after a calculation: only a completed one.
    if (const auto project = args->value("save-project")) {
        if (result.end == RunEnd::Completed) {
            if (const auto failure = WriteProjectFile(*project, MakeProjectData(in, state)))
                return Refuse(failure->text);
        } else {
            Remark("note", "no project saved: the calculation did not complete");
        }
    }
    if (args->has("json")) PrintJson(result, state);
    else if (args->has("csv")) PrintCsv(result);
    else PrintTable(result, plan, in);
    if (result.end == RunEnd::Interrupted) {
        Remark("note", "interrupted: the years computed so far are shown");
        return kInterrupted;
    }
    return 0;
}

} // namespace tessavin::cli
