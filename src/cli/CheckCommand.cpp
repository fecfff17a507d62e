// vesk-cli check: what in the blocks of sheets will make wrong or suspicious
// output, per sheet and block, for people or as JSON.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "check/SheetCheck.h"
#include "document/CMyVeskDoc.h"
#include "platform/ParallelFor.h"
#include "survey/SheetInputs.h"
#include "text/JsonText.h"

namespace vesk::cli {
namespace {

// Some sheet holds an error: its output would be wrong.
constexpr int kExitErrorsFound = 4;

constexpr JsonKeyLayout kJsonLayout[] = {
    {"sheets", {.items = 2}}, {"blocks", {.items = 4}}, {"findings", {.items = 5}},
    {"x", {.decimals = 2}},   {"y", {.decimals = 2}},
};

// One sheet: whether it opened, what the load said, and what the check found.
struct SheetResult {
    std::filesystem::path path;
    bool opened = false;
    std::vector<std::string> messages;
    std::size_t loadErrors = 0;
    SheetCheck check;

    std::size_t Errors() const { return loadErrors + check.Count(Severity::kError); }
    std::size_t Warnings() const { return check.Count(Severity::kWarning); }
};

// The load tells whether the sheet opens and what the program would say on
// opening it; the check then reads the file on its own.
SheetResult CheckOne(const std::filesystem::path& path, unsigned threads) {
    SheetResult result;
    result.path = path;
    CliUi ui(false);
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    doc.KeepSheetImagePixels(false);
    doc.OpenSheetFile(path);
    result.messages = ui.Messages();
    result.loadErrors = static_cast<std::size_t>(ui.ErrorCount());
    if (!doc.IsSheetLoaded()) {
        return result;
    }
    auto check = CheckSheetFile(path, {threads, {}});
    if (!check) {
        result.messages.emplace_back("the sheet could not be read again for the check");
        return result;
    }
    result.opened = true;
    result.check = std::move(*check);
    return result;
}

std::vector<SheetResult> CheckAll(const std::vector<std::filesystem::path>& sheets, unsigned jobs) {
    std::vector<SheetResult> results(sheets.size());
    // Jobs that no sheet needs check the blocks of the sheets side by side.
    const unsigned perSheet =
        std::max(1u, jobs / static_cast<unsigned>(std::max<std::size_t>(sheets.size(), 1)));
    ParallelFor(sheets.size(), jobs,
                [&](unsigned, std::size_t k) { results[k] = CheckOne(sheets[k], perSheet); });
    return results;
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

void PrintFinding(const Finding& finding) {
    std::string building;
    if (finding.building) {
        building = " building " + std::to_string(*finding.building);
    }
    std::printf("    %-7s %4d%s at X,Y = %.1f,%.1f: %s\n", SeverityName(finding.severity),
                static_cast<int>(finding.code), building.c_str(), finding.x, finding.y,
                finding.english.c_str());
}

void PrintPlainSheet(const SheetResult& result) {
    const std::string file = result.path.string();
    if (!result.opened) {
        std::printf("%s: not opened\n", file.c_str());
    } else {
        std::printf("%s: %zu blocks, %zu errors, %zu warnings\n", file.c_str(),
                    result.check.blocks.size(), result.Errors(), result.Warnings());
    }
    for (const std::string& message : result.messages) {
        std::printf("  message: %s\n", OneLine(message).c_str());
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

JsonValue BlockJson(const BlockCheck& block) {
    JsonValue findings = JsonValue::array();
    for (const Finding& finding : block.findings) {
        findings.push_back(FindingJson(finding));
    }
    return {{"number", block.number}, {"findings", std::move(findings)}};
}

JsonValue SheetJson(const SheetResult& result) {
    JsonValue blocks = JsonValue::array();
    for (const BlockCheck& block : result.check.blocks) {
        blocks.push_back(BlockJson(block));
    }
    return {{"file", result.path.string()},
            {"opened", result.opened},
            {"messages", result.messages},
            {"blocks", std::move(blocks)}};
}

void PrintJson(const std::vector<SheetResult>& results, std::size_t errors, std::size_t warnings) {
    JsonValue sheets = JsonValue::array();
    for (const SheetResult& result : results) {
        sheets.push_back(SheetJson(result));
    }
    const JsonValue check = {{"sheets", std::move(sheets)},
                             {"summary", {{"errors", errors}, {"warnings", warnings}}}};
    std::fputs(JsonText(check, kJsonLayout).c_str(), stdout);
}

}  // namespace

int RunCheck(const CheckRequest& request) {
    const std::vector<std::filesystem::path> sheets = ExpandSheetInputs(request.inputs);
    if (sheets.empty()) {
        std::fputs("vesk-cli check: the folders hold no .tqb file\n", stderr);
        return kExitFailed;
    }
    const unsigned jobs = request.jobs.value_or(CoreCount());
    const std::vector<SheetResult> results = CheckAll(sheets, jobs);
    std::size_t errors = 0;
    std::size_t warnings = 0;
    bool allOpened = true;
    for (const SheetResult& result : results) {
        errors += result.Errors();
        warnings += result.Warnings();
        allOpened = allOpened && result.opened;
    }
    if (request.json) {
        PrintJson(results, errors, warnings);
    } else {
        for (const SheetResult& result : results) {
            PrintPlainSheet(result);
        }
        std::printf("summary: %zu sheets, %zu errors, %zu warnings\n", results.size(), errors,
                    warnings);
    }
    if (!allOpened) {
        for (const SheetResult& result : results) {
            if (!result.opened) {
                SayWhyNotReadable("check", result.path);
            }
        }
        return kExitFailed;
    }
    return errors > 0 ? kExitErrorsFound : kExitOk;
}

}  // namespace vesk::cli
