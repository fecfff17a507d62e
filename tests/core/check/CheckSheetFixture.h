#pragma once

#include <gmock/gmock.h>

#include <tuple>
#include <utility>
#include <vector>

#include "SheetBuilder.h"
#include "check/SheetCheck.h"

namespace vesk::test {

// A sheet at (kX0, kY0) whose block 1 (number 0) lies at the sheet's
// south-west corner; tests add one faulty item to an otherwise sound block.
class CheckSheetFixture : public ::testing::Test {
public:
    // (code, severity, building) of a finding.
    using Seen = std::tuple<FindingCode, Severity, std::optional<std::uint32_t>>;

    static constexpr float kX0 = -8000.0f;
    static constexpr float kY0 = -36000.0f;
    static constexpr float kGround = 10.0f;

protected:
    CheckSheetFixture() : sheet(StandardSheet(kX0, kY0)) {}

    // An area chunk for the block, at (dx, dy) from the sheet's origin.
    void OpenBlock(int number = 0, float dx = 0.0f, float dy = 0.0f) {
        sheet.SubSheetArea(number, kX0 + dx, kY0 + dy);
    }

    // A flat ground grid at kGround that covers the block: 5 x 4 points 100 m apart.
    void FlatGround() { sheet.Dem(5, 4, 100.0f, 100.0f, std::vector<float>(20, kGround)); }

    // A building on the ground, corners in metres from the block's origin.
    void AddBuilding(const std::vector<std::pair<float, float>>& local, float bottom = kGround,
                     float roof = kGround + 10.0f) {
        std::vector<std::pair<float, float>> plane;
        for (const auto& [x, y] : local) {
            plane.emplace_back(kX0 + x, kY0 + y);
        }
        sheet.Building(bottom, roof, plane);
    }

    void SoundSquare() { AddBuilding({{100, 100}, {110, 100}, {110, 110}, {100, 110}}); }

    SheetCheck Check() {
        MemoryByteSource source(sheet.Bytes());
        return CheckSheet(source);
    }

    // Every finding in the block numbered number.
    std::vector<Seen> Found(int number = 0) {
        std::vector<Seen> seen;
        for (const BlockCheck& block : Check().blocks) {
            if (block.number == number) {
                for (const Finding& finding : block.findings) {
                    seen.emplace_back(finding.code, finding.severity, finding.building);
                }
            }
        }
        return seen;
    }

    SheetBuilder sheet;
};

}  // namespace vesk::test
