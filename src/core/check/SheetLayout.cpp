#include "check/SheetLayout.h"

#include <cmath>
#include <map>

#include "check/CheckLimits.h"
#include "model/BlockCentre.h"
#include "sheet/SheetWalk.h"

namespace vesk {
namespace {

namespace limits = check_limits;

// The load's walk, keeping what the check needs: the sheet area, and each
// accepted block's record with a finding for every number seen again.
class LayoutWalk final : public SheetWalkVisitor {
public:
    SheetLayout Walk(ByteSource& sheet) {
        WalkSheet(sheet, *this);
        SheetLayout layout{area_, {}, {}};
        for (auto& [number, block] : blocks_) {
            layout.blocks.push_back(std::move(block));
        }
        // What the program's open tells as finding no sheet data.
        if (!area_ && !picture_ && blocks_.empty()) {
            layout.findings.push_back(MakeFinding(FindingCode::kNoSheetData, 0.0, 0.0));
        }
        return layout;
    }

private:
    void SheetAreaRead(const SheetArea& area) override { area_ = area; }

    bool ImageTaken(ByteSource& /*sheet*/, const SheetImageLayout& /*image*/) override {
        picture_ = true;
        return true;
    }

    SubSheetRecord& SubSheetAccepted(const SubSheetArea& area, int zone) override {
        const auto [at, first] = blocks_.try_emplace(area.number);
        BlockLayout& block = at->second;
        block.number = area.number;
        RecordSubSheetArea(area, zone, block.record);
        if (!first) {
            const FootprintPoint centre = BlockCentre(block.record);
            block.findings.push_back(
                MakeFinding(FindingCode::kBlockNumberTwice, centre.x, centre.y));
        }
        return block.record;
    }

    std::optional<SheetArea> area_;
    bool picture_ = false;
    std::map<int, BlockLayout> blocks_;
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
        if (!HasFiniteOrigin(record)) {
            // Nothing of a block that lies nowhere can be placed or compared.
            block.findings.push_back(MakeFinding(FindingCode::kBlockOriginNotFinite, 0.0, 0.0));
            continue;
        }
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
    SheetLayout layout = LayoutWalk().Walk(sheet);
    AddPlaceFindings(layout);
    return layout;
}

}  // namespace vesk
