// Checks the input as a sheet: every finding names a code of the check's
// catalogue with its severity, its texts are valid UTF-8, its building is one
// of its block's, and the check's result reads the same from the file as from
// memory on several threads.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "Oracle.h"
#include "ScratchFolder.h"
#include "Utf8.h"
#include "check/SheetCheck.h"
#include "sheet/ByteSource.h"

namespace vesk::fuzz {
namespace {

void RequireSound(const Finding& finding) {
    const auto& catalogue = FindingCatalogue();
    const auto kind = std::find_if(catalogue.begin(), catalogue.end(),
                                   [&](const FindingKind& k) { return k.code == finding.code; });
    Require(kind != catalogue.end(), "every finding's code is in the catalogue");
    Require(kind->severity == finding.severity, "a finding has its code's severity");
    Require(IsValidUtf8(finding.english) && IsValidUtf8(finding.japanese),
            "a finding's texts are valid UTF-8", Utf8Trouble(finding.english + finding.japanese));
    Require(!finding.english.empty() && !finding.japanese.empty(), "a finding says what it is");
}

std::size_t FindingCount(const SheetCheck& check) {
    std::size_t count = check.findings.size();
    for (const BlockCheck& block : check.blocks) {
        count += block.findings.size();
    }
    return count;
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    using namespace vesk::fuzz;
    const auto bytes = std::as_bytes(std::span(data, size));
    MemoryByteSource source(bytes);
    const SheetCheck check = CheckSheet(source);
    for (const Finding& finding : check.findings) {
        RequireSound(finding);
    }
    for (const BlockCheck& block : check.blocks) {
        for (const Finding& finding : block.findings) {
            RequireSound(finding);
            Require(!finding.building || *finding.building < block.record.buildingPositions.size(),
                    "a finding's building is one of its block's");
        }
    }
    const std::filesystem::path input = ScratchFolder::Process().Fresh("check") / "sheet.tqb";
    WriteBytes(input, bytes);
    const auto fromFile = CheckSheetFile(input, {2, {}});
    Require(fromFile.has_value(), "a sheet written whole is read again");
    Require(fromFile->blocks.size() == check.blocks.size() &&
                FindingCount(*fromFile) == FindingCount(check) &&
                fromFile->Count(Severity::kError) == check.Count(Severity::kError),
            "the check finds the same in the file on two threads as in memory");
    return 0;
}
