#include "SheetWriter.h"

#include <cstdio>

#include "BitmapFile.h"
#include "ByteWriter.h"
#include "ChunkWriter.h"
#include "MapPainter.h"
#include "SgiImage.h"

namespace vesk::sample {
namespace {

void PutSheetArea(const SampleOptions& options, ByteSink& sink) {
    ByteWriter body;
    body.I32(2500);
    body.I32(options.zone);
    body.F32(options.originX);
    body.F32(options.originY);
    body.F32(kSheetWidth);
    body.F32(kSheetHeight);
    PutChunk(sink, kSheetAreaId, "AREA", body.Bytes());
}

void PutName(const SamplePlan& plan, ByteSink& sink) {
    ByteWriter body;
    body.Text(plan.nameShiftJis);
    PutChunk(sink, kSheetTextId, "NAME", body.Bytes());
}

std::vector<const BuildingSet*> AllBuildings(const SamplePlan& plan) {
    std::vector<const BuildingSet*> sets;
    for (const SubSheetPlan& subSheet : plan.subSheets) {
        sets.push_back(&subSheet.buildings);
    }
    return sets;
}

void PutSheetImage(const SamplePlan& plan, const MapPainter& painter, ByteSink& sink) {
    const SampleOptions& options = plan.options;
    const Raster picture = painter.Paint(plan.SheetArea(), options.imageWidth, options.imageHeight,
                                         AllBuildings(plan));
    const auto size = BitmapFileSize(options.imageWidth, options.imageHeight);
    PutChunkHeader(sink, kSheetTextId, "IDXB", static_cast<std::uint32_t>(size));
    PutBitmapFile(sink, picture);
}

void PutSubSheetArea(const SubSheetPlan& subSheet, ByteSink& sink) {
    ByteWriter body;
    body.I32(subSheet.number);
    body.F32(subSheet.originX);
    body.F32(subSheet.originY);
    body.F32(kSubSheetWidth);
    body.F32(kSubSheetHeight);
    PutChunk(sink, kSubSheetAreaId, "AREA", body.Bytes());
}

void PutBuildings(const BuildingSet& set, ByteSink& sink) {
    ByteWriter body;
    for (const Building& building : set.buildings) {
        body.Clear();
        body.F32(building.bottom);
        body.F32(building.roof);
        body.U32(building.count);
        for (const PlanePoint& p : set.Footprint(building)) {
            body.F32(p.x);
            body.F32(p.y);
        }
        PutChunk(sink, kBuildingId, "STRC", body.Bytes());
    }
}

// The grid starts at the sub-sheet's south-west corner; row 0 is the southern edge.
void PutDem(const SamplePlan& plan, const SubSheetPlan& subSheet, ByteSink& sink) {
    const SampleOptions& options = plan.options;
    const auto columns = static_cast<std::size_t>(options.demColumns);
    const auto rows = static_cast<std::size_t>(options.demRows);
    const TerrainGrid grid(plan.terrain, Steps(subSheet.originX, options.demSpacingX, columns),
                           Steps(subSheet.originY, options.demSpacingY, rows));
    ByteWriter body;
    body.Reserve(16 + 4 * columns * rows);
    body.U32(static_cast<std::uint32_t>(columns));
    body.U32(static_cast<std::uint32_t>(rows));
    body.F32(options.demSpacingX);
    body.F32(options.demSpacingY);
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t column = 0; column < columns; ++column) {
            body.F32(static_cast<float>(grid.HeightAt(column, row)));
        }
    }
    PutChunk(sink, kDemId, "DEMF", body.Bytes());
}

void PutOrtho(const SamplePlan& plan, const MapPainter& painter, const SubSheetPlan& subSheet,
              ByteSink& sink) {
    const int pixels = plan.options.texturePixels;
    const BuildingSet* const buildings[] = {&subSheet.buildings};
    const Raster picture = painter.Paint(subSheet.Area(), pixels, pixels, buildings);
    char name[32];
    std::snprintf(name, sizeof name, "sample block %d", subSheet.number + 1);
    PutChunkHeader(sink, kOrthoId, "ORTS",
                   static_cast<std::uint32_t>(SgiImageSize(pixels, pixels)));
    PutSgiImage(sink, picture, name);
}

}  // namespace

void PutSampleSheet(const SamplePlan& plan, ByteSink& sink) {
    const SampleOptions& options = plan.options;
    const MapPainter painter(plan.terrain, plan.streets);
    PutSheetArea(options, sink);
    if (options.withName) {
        PutName(plan, sink);
    }
    if (options.withImage) {
        PutSheetImage(plan, painter, sink);
    }
    for (const SubSheetPlan& subSheet : plan.subSheets) {
        PutSubSheetArea(subSheet, sink);
        if (options.withBuildings) {
            PutBuildings(subSheet.buildings, sink);
        }
        if (options.withDem) {
            PutDem(plan, subSheet, sink);
        }
        if (options.withOrtho) {
            PutOrtho(plan, painter, subSheet, sink);
        }
    }
}

}  // namespace vesk::sample
