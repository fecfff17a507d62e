#include "SamplePlan.h"

#include "BitmapFile.h"
#include "BuildingGenerator.h"
#include "ChunkWriter.h"
#include "PlaceName.h"
#include "Random.h"
#include "SgiImage.h"
#include "text/ShiftJis.h"

namespace vesk::sample {
namespace {

std::string SheetName(const SampleOptions& options) {
    const std::string utf8 = options.name.empty() ? MakePlaceName(options.zone, options.originX,
                                                                  options.originY, options.seed)
                                                  : options.name;
    return Utf8ToShiftJis(utf8);
}

std::uint64_t SubSheetSize(const SampleOptions& options, const SubSheetPlan& subSheet) {
    std::uint64_t size = kChunkHeaderSize + 20;
    if (options.withBuildings) {
        for (const Building& building : subSheet.buildings.buildings) {
            size += kChunkHeaderSize + 12 + 8 * static_cast<std::uint64_t>(building.count);
        }
    }
    if (options.withDem) {
        size += kChunkHeaderSize + 16 +
                4 * static_cast<std::uint64_t>(options.demColumns) *
                    static_cast<std::uint64_t>(options.demRows);
    }
    if (options.withOrtho) {
        size += kChunkHeaderSize + SgiImageSize(options.texturePixels, options.texturePixels);
    }
    return size;
}

}  // namespace

SubSheetPlan PlaceSubSheet(const SampleOptions& options, int number) {
    const int column = number % 5;
    const int rowFromNorth = number / 5;
    SubSheetPlan plan;
    plan.number = number;
    plan.originX =
        static_cast<float>(static_cast<double>(options.originX) + double{kSubSheetWidth} * column);
    plan.originY = static_cast<float>(static_cast<double>(options.originY) +
                                      double{kSubSheetHeight} * (4 - rowFromNorth));
    return plan;
}

SamplePlan::SamplePlan(const SampleOptions& chosen)
    : options(chosen), terrain(chosen.seed), streets(chosen.seed), nameShiftJis(SheetName(chosen)) {
    const BuildingGenerator generator(streets, terrain);
    for (int number = 0; number < kSubSheetCount; ++number) {
        SubSheetPlan subSheet = PlaceSubSheet(options, number);
        Random random(HashKey({options.seed, 0xB17Du, static_cast<std::uint64_t>(number)}));
        subSheet.buildings =
            generator.Generate(subSheet.Area(), options.buildingsPerSubSheet, random);
        subSheets.push_back(std::move(subSheet));
    }
}

PlaneRect SamplePlan::SheetArea() const {
    return {options.originX, options.originY, static_cast<double>(options.originX) + kSheetWidth,
            static_cast<double>(options.originY) + kSheetHeight};
}

std::uint64_t SamplePlan::FileSize() const {
    std::uint64_t size = kChunkHeaderSize + 24;
    if (options.withName) {
        size += kChunkHeaderSize + nameShiftJis.size();
    }
    if (options.withImage) {
        size += kChunkHeaderSize + BitmapFileSize(options.imageWidth, options.imageHeight);
    }
    for (const SubSheetPlan& subSheet : subSheets) {
        size += SubSheetSize(options, subSheet);
    }
    return size;
}

}  // namespace vesk::sample
