// vesk-cli check: what in the blocks of sheets will make wrong or suspicious
// output, per sheet and block, for people or as JSON.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "TerminalDiagnostic.h"
#include "check/CheckedSheets.h"
#include "document/CMyVeskDoc.h"
#include "document/UnattendedUi.h"
#include "model/BuildingNumber.h"
#include "platform/ParallelFor.h"
#include "survey/SheetInputs.h"
#include "text/JsonText.h"
#include "text/TerminalText.h"

namespace vesk::cli {
namespace {

// Some sheet holds an error: its output would be wrong.
constexpr int kExitErrorsFound = 4;

constexpr JsonKeyLayout kJsonLayout[] = {
    {"sheets", {.items = 2}}, {"blocks", {.items = 4}}, {"findings", {.items = 5}},
    {"x", {.decimals = 2}},   {"y", {.decimals = 2}},
};

// The load's diagnostics, kept for the check's output and logged with it once
// the check is done, in the order of the sheets.
class OpeningUi : public UnattendedUi {
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    void Report(const Diagnostic& diagnostic) override { diagnostics.push_back(diagnostic); }

    std::vector<Diagnostic> diagnostics;
};

// Without keeping the picture's pixels: only what the load says counts here.
SheetOpening OpenAsTheProgramDoes(const std::filesystem::path& path) {
    OpeningUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    doc.KeepSheetImagePixels(false);
    doc.OpenSheetFile(path);
    return {doc.IsSheetLoaded(), std::move(ui.diagnostics)};
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        c = c == '\n' ? ' ' : c;
    }
    return text;
}

const char* SeverityName(Severity severity) {
    return severity == Severity::kError ? "error" : "warning";
}

// A finding about the sheet as a whole, or about a block that lies nowhere,
// has no place to name.
void PrintUnplacedFinding(const char* indent, const Finding& finding) {
    std::printf("%s%-7s %4d: %s\n", indent, SeverityName(finding.severity),
                static_cast<int>(finding.code), finding.english.c_str());
}

void PrintFinding(const Finding& finding) {
    if (finding.code == FindingCode::kBlockOriginNotFinite) {
        PrintUnplacedFinding("    ", finding);
        return;
    }
    std::string building;
    if (finding.building) {
        building = " building " + std::to_string(ShownBuildingNumber(*finding.building));
    }
    std::printf("    %-7s %4d%s at X,Y = %.1f,%.1f: %s\n", SeverityName(finding.severity),
                static_cast<int>(finding.code), building.c_str(), finding.x, finding.y,
                finding.english.c_str());
}

void PrintPlainSheet(const CheckedSheet& result) {
    const std::string file = TerminalText(result.path.string());
    if (!result.opened) {
        std::printf("%s: not opened\n", file.c_str());
    } else {
        std::printf("%s: %zu blocks, %zu errors, %zu warnings\n", file.c_str(),
                    result.check.blocks.size(), result.Errors(), result.Warnings());
    }
    for (const Diagnostic& diagnostic : result.diagnostics) {
        std::printf("  message: %s\n", OneLine(ShownOnTerminal(diagnostic)).c_str());
    }
    for (const Finding& finding : result.check.findings) {
        PrintUnplacedFinding("  ", finding);
    }
    for (const BlockCheck& block : result.check.blocks) {
        if (block.findings.empty()) {
            continue;
        }
        std::printf("  block %d: %zu errors, %zu warnings\n", block.number + 1,
                    block.Count(Severity::kError), block.Count(Severity::kWarning));
        for (const Finding& finding : block.findings) {
            PrintFinding(finding);
        }
    }
}

JsonValue FindingJson(const Finding& finding) {
    return {{"code", static_cast<int>(finding.code)},
            {"severity", SeverityName(finding.severity)},
            {"building", finding.building ? JsonValue(*finding.building) : JsonValue(nullptr)},
            {"x", finding.x},
            {"y", finding.y},
            {"message", finding.english}};
}

JsonValue FindingsJson(const std::vector<Finding>& findings) {
    JsonValue list = JsonValue::array();
    for (const Finding& finding : findings) {
        list.push_back(FindingJson(finding));
    }
    return list;
}

JsonValue BlockJson(const BlockCheck& block) {
    return {{"number", block.number}, {"findings", FindingsJson(block.findings)}};
}

// The sheet's own findings only where it has any, so that every other sheet's
// object keeps the keys it always had.
JsonValue SheetJson(const CheckedSheet& result) {
    JsonValue blocks = JsonValue::array();
    for (const BlockCheck& block : result.check.blocks) {
        blocks.push_back(BlockJson(block));
    }
    JsonValue sheet = {{"file", result.path.string()},
                       {"opened", result.opened},
                       {"messages", ShownTexts(result.diagnostics)},
                       {"blocks", std::move(blocks)}};
    if (!result.check.findings.empty()) {
        sheet["findings"] = FindingsJson(result.check.findings);
    }
    return sheet;
}

// The document {"sheets": [...], "summary": {...}} as JsonText lays it out,
// written a sheet at a time as the check hands them on, so that no sheet's
// result is kept once it is written.
void PrintJsonSheet(const CheckedSheet& result, bool first) {
    std::fputs(first ? "{\"sheets\": [\n  " : ",\n  ", stdout);
    std::fputs(JsonItemText(SheetJson(result), kJsonLayout).c_str(), stdout);
}

void PrintJsonSummary(const CheckTotals& totals) {
    const JsonValue summary = {{"errors", totals.errors}, {"warnings", totals.warnings}};
    std::printf("],\n \"summary\": %s}\n", JsonItemText(summary).c_str());
}

void PrintPlainSummary(std::size_t sheets, const CheckTotals& totals) {
    std::printf("summary: %zu sheets, %zu errors, %zu warnings\n", sheets, totals.errors,
                totals.warnings);
}

}  // namespace

int RunCheck(const CheckRequest& request) {
    const std::vector<std::filesystem::path> sheets = ExpandSheetInputs(request.inputs);
    if (sheets.empty()) {
        std::fputs("vesk-cli check: the folders hold no .tqb file\n", stderr);
        return kExitFailed;
    }
    const unsigned jobs = request.jobs.value_or(CoreCount());
    CheckTotals totals;
    std::size_t written = 0;
    std::vector<std::filesystem::path> unopened;
    CheckSheets(sheets, jobs, OpenAsTheProgramDoes, [&](CheckedSheet&& result) {
        Log(result.diagnostics);
        if (request.json) {
            PrintJsonSheet(result, written++ == 0);
        } else {
            PrintPlainSheet(result);
        }
        totals.Add(result);
        if (!result.opened) {
            unopened.push_back(result.path);
        }
    });
    if (request.json) {
        PrintJsonSummary(totals);
    } else {
        PrintPlainSummary(sheets.size(), totals);
    }
    for (const std::filesystem::path& path : unopened) {
        SayWhyNotReadable("check", path);
    }
    if (!totals.allOpened) {
        return kExitFailed;
    }
    return totals.errors > 0 ? kExitErrorsFound : kExitOk;
}

}  // namespace vesk::cli
