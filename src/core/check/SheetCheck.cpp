#include "check/SheetCheck.h"

#include <algorithm>

#include "check/BlockCheck.h"
#include "check/SheetLayout.h"
#include "platform/ParallelFor.h"
#include "sheet/FileByteSource.h"

namespace vesk {
namespace {

std::size_t CountIn(const std::vector<Finding>& findings, Severity severity) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [severity](const Finding& finding) { return finding.severity == severity; }));
}

BlockCheck StartBlock(BlockLayout&& block) {
    return {block.number, std::move(block.record), std::move(block.findings)};
}

void AddBlockFindings(ByteSource& sheet, BlockCheck& block) {
    std::vector<Finding> found = CheckBlock(sheet, block.record);
    block.findings.insert(block.findings.end(), std::make_move_iterator(found.begin()),
                          std::make_move_iterator(found.end()));
}

}  // namespace

std::size_t BlockCheck::Count(Severity severity) const {
    return CountIn(findings, severity);
}

std::size_t SheetCheck::Count(Severity severity) const {
    std::size_t count = CountIn(findings, severity);
    for (const BlockCheck& block : blocks) {
        count += block.Count(severity);
    }
    return count;
}

SheetCheck CheckSheet(ByteSource& sheet) {
    SheetLayout layout = ReadSheetLayout(sheet);
    SheetCheck check{layout.area, {}, std::move(layout.findings)};
    for (BlockLayout& block : layout.blocks) {
        check.blocks.push_back(StartBlock(std::move(block)));
        AddBlockFindings(sheet, check.blocks.back());
    }
    return check;
}

std::optional<SheetCheck> CheckSheetFile(const std::filesystem::path& path,
                                         const CheckOptions& options) {
    auto walked = FileByteSource::Open(path);
    if (!walked) {
        return std::nullopt;
    }
    SheetLayout layout = ReadSheetLayout(*walked);
    SheetCheck check{layout.area, {}, std::move(layout.findings)};
    for (BlockLayout& block : layout.blocks) {
        check.blocks.push_back(StartBlock(std::move(block)));
    }
    // Each thread reads through a source of its own: a source keeps a read-ahead block.
    const unsigned threads = std::max(options.threads, 1u);
    std::vector<FileByteSource> sources;
    sources.reserve(threads);
    sources.push_back(std::move(*walked));
    while (sources.size() < threads) {
        auto source = FileByteSource::Open(path);
        if (!source) {
            return std::nullopt;
        }
        sources.push_back(std::move(*source));
    }
    ParallelFor(check.blocks.size(), threads, [&](unsigned worker, std::size_t k) {
        if (!options.stop.stop_requested()) {
            AddBlockFindings(sources[worker], check.blocks[k]);
        }
    });
    if (options.stop.stop_requested()) {
        return std::nullopt;
    }
    return check;
}

}  // namespace vesk
