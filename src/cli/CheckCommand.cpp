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
#include "JsonWriter.h"
#include "check/SheetCheck.h"
#include "document/CMyVeskDoc.h"
#include "platform/ParallelFor.h"
#include "survey/SheetInputs.h"

namespace vesk::cli {
namespace {

// Some sheet holds an error: its output would be wrong.
constexpr int kExitErrorsFound = 4;

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

std::string FindingJson(const Finding& finding) {
    return "{\"code\": " + std::to_string(static_cast<int>(finding.code)) +
           ", \"severity\": " + JsonString(SeverityName(finding.severity)) + ", \"building\": " +
           (finding.building ? std::to_string(*finding.building) : std::string("null")) +
           ", \"x\": " + JsonFixed(finding.x, 2) + ", \"y\": " + JsonFixed(finding.y, 2) +
           ", \"message\": " + JsonString(finding.english) + "}";
}

std::string BlockJson(const BlockCheck& block) {
    std::string out = "{\"number\": " + std::to_string(block.number) + ", \"findings\": [";
    for (std::size_t i = 0; i < block.findings.size(); ++i) {
        out += (i ? ",\n     " : "\n     ") + FindingJson(block.findings[i]);
    }
    return out + "]}";
}

std::string SheetJson(const SheetResult& result) {
    std::string out = "{\"file\": " + JsonString(result.path.string()) +
                      ", \"opened\": " + (result.opened ? "true" : "false") + ", \"messages\": [";
    for (std::size_t i = 0; i < result.messages.size(); ++i) {
        out += (i ? ", " : "") + JsonString(result.messages[i]);
    }
    out += "], \"blocks\": [";
    for (std::size_t i = 0; i < result.check.blocks.size(); ++i) {
        out += (i ? ",\n    " : "\n    ") + BlockJson(result.check.blocks[i]);
    }
    return out + "]}";
}

void PrintJson(const std::vector<SheetResult>& results, std::size_t errors, std::size_t warnings) {
    std::string out = "{\"sheets\": [";
    for (std::size_t i = 0; i < results.size(); ++i) {
        out += (i ? ",\n  " : "\n  ") + SheetJson(results[i]);
    }
    out += "],\n \"summary\": {\"errors\": " + std::to_string(errors) +
           ", \"warnings\": " + std::to_string(warnings) + "}}\n";
    std::fputs(out.c_str(), stdout);
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
