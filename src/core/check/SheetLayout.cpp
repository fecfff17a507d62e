#include "check/SheetLayout.h"

#include <array>
#include <cmath>
#include <map>

#include "check/CheckLimits.h"
#include "model/BlockCentre.h"
#include "sheet/ChunkWalker.h"
#include "sheet/DataChunkPosition.h"
#include "sheet/SheetImage.h"

namespace vesk {
namespace {

namespace limits = check_limits;

class LayoutWalk {
public:
    explicit LayoutWalk(ByteSource& sheet) : sheet_(sheet), walker_(sheet) {}

    SheetLayout Walk() {
        while (const auto chunk = walker_.Next()) {
            Take(*chunk);
        }
        SheetLayout layout{area_, {}};
        for (auto& [number, block] : blocks_) {
            layout.blocks.push_back(std::move(block));
        }
        return layout;
    }

private:
    void Take(const WalkedChunk& chunk) {
        const ChunkHeader& header = chunk.header;
        if (Matches(header, kSheetAreaChunk)) {
            ReadSheetArea(chunk);
        } else if (Matches(header, kImageChunk)) {
            // The picture ends where its bitmap says, as the load reads it.
            if (const auto image = ReadSheetImageLayout(sheet_, chunk)) {
                walker_.ContinueAt(image->End());
            }
        } else if (Matches(header, kSubSheetAreaChunk)) {
            ReadBlockArea(chunk);
        } else if (chunk.level == 3 && current_ != nullptr) {
            RecordDataChunkPosition(chunk, current_->record);
        }
    }

    void ReadSheetArea(const WalkedChunk& chunk) {
        ByteReader reader(sheet_, chunk.BodyOffset());
        std::array<std::byte, kSheetAreaSize> body{};
        if (!reader.Read(body)) {
            zone_ = 0;
            return;
        }
        area_ = DecodeSheetArea(body);
        zone_ = area_->IsValidSheet() ? area_->zone : 0;
    }

    void ReadBlockArea(const WalkedChunk& chunk) {
        ByteReader reader(sheet_, chunk.BodyOffset());
        std::array<std::byte, kSubSheetAreaSize> body{};
        if (!reader.Read(body)) {
            return;
        }
        const SubSheetArea area = DecodeSubSheetArea(body);
        if (!area.HasSubSheetSize() || !area.HasValidNumber()) {
            return;
        }
        const auto [at, first] = blocks_.try_emplace(area.number);
        current_ = &at->second;
        current_->number = area.number;
        SubSheetRecord& record = current_->record;
        record.zone = zone_;
        record.originX = area.originX;
        record.originY = area.originY;
        record.width = area.width;
        record.height = area.height;
        if (!first) {
            const FootprintPoint centre = BlockCentre(record);
            current_->findings.push_back(
                MakeFinding(FindingCode::kBlockNumberTwice, centre.x, centre.y));
        }
    }

    ByteSource& sheet_;
    ChunkWalker walker_;
    std::optional<SheetArea> area_;
    int zone_ = 0;
    std::map<int, BlockLayout> blocks_;
    BlockLayout* current_ = nullptr;
};

bool OnSheet(const SheetArea& sheet, const SubSheetRecord& record) {
    const double tolerance = limits::kGridTolerance;
    return record.originX >= sheet.originX - tolerance &&
           record.originY >= sheet.originY - tolerance &&
           double{record.originX} + record.width <=
               double{sheet.originX} + sheet.width + tolerance &&
           double{record.originY} + record.height <=
               double{sheet.originY} + sheet.height + tolerance;
}

bool OnGrid(double offset, double step) {
    const double steps = offset / step;
    return std::abs(steps - std::round(steps)) * step <= limits::kGridTolerance;
}

bool OnSheetGrid(const SheetArea& sheet, const SubSheetRecord& record) {
    return OnGrid(double{record.originX} - sheet.originX, limits::kBlockWidth) &&
           OnGrid(double{record.originY} - sheet.originY, limits::kBlockHeight);
}

bool SamePlace(const SubSheetRecord& a, const SubSheetRecord& b) {
    return std::abs(double{a.originX} - b.originX) <= limits::kGridTolerance &&
           std::abs(double{a.originY} - b.originY) <= limits::kGridTolerance;
}

void AddPlaceFindings(SheetLayout& layout) {
    for (std::size_t k = 0; k < layout.blocks.size(); ++k) {
        BlockLayout& block = layout.blocks[k];
        const SubSheetRecord& record = block.record;
        const auto [x, y] = BlockCentre(record);
        if (record.buildingPositions.empty() && !record.hasDem && !record.hasOrtho) {
            block.findings.push_back(MakeFinding(FindingCode::kBlockEmpty, x, y));
        }
        if (layout.area && layout.area->IsValidSheet()) {
            if (!OnSheet(*layout.area, record)) {
                block.findings.push_back(MakeFinding(FindingCode::kBlockOutsideSheet, x, y));
            } else if (!OnSheetGrid(*layout.area, record)) {
                block.findings.push_back(MakeFinding(FindingCode::kBlockOffGrid, x, y));
            }
        }
        for (std::size_t other = 0; other < k; ++other) {
            if (SamePlace(layout.blocks[other].record, record)) {
                block.findings.push_back(MakeFinding(FindingCode::kBlocksSamePlace, x, y,
                                                     Marked('#', layout.blocks[other].number + 1)));
            }
        }
    }
}

}  // namespace

SheetLayout ReadSheetLayout(ByteSource& sheet) {
    SheetLayout layout = LayoutWalk(sheet).Walk();
    AddPlaceFindings(layout);
    return layout;
}

}  // namespace vesk
