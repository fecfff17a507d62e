#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "SampleSheet.h"
#include "export/BlockExport.h"
#include "tiles/TilesBatch.h"

namespace vesk::cli {

// What each command was asked to do, once the command line has been checked.

struct InfoRequest {
    std::string sheet;
    bool json = false;
};

struct ConvertRequest {
    std::vector<std::filesystem::path> inputs;  // sheets and folders of sheets
    std::optional<int> block;                   // 1 to 25, as the map shows it
    bool all = false;
    std::optional<std::string> out;
    bool noBuildings = false;
    bool noTerrain = false;
    bool noTexture = false;
    std::optional<unsigned> jobs;
    std::optional<std::string> report;
    bool quiet = false;
    bool resume = false;
};

struct ExportRequest {
    std::string sheet;
    std::optional<int> block;  // 1 to 25, as the map shows it
    bool all = false;
    ExportFormat format = ExportFormat::kGlb;
    std::optional<std::string> out;
    bool noBuildings = false;
    bool noTerrain = false;
    bool noTexture = false;
    bool compress = false;
    std::optional<int> textureQuality;  // 1 to 100; only with compress
};

struct SampleRequest {
    std::string out;
    sample::SampleOptions options;
};

struct TilesRequest {
    std::vector<std::filesystem::path> inputs;
    std::optional<std::filesystem::path> out;
    std::optional<std::filesystem::path> merge;
    std::optional<unsigned> jobs;
    std::optional<Shard> shard;
    std::optional<std::filesystem::path> report;
    bool noTerrain = false;
    bool noTexture = false;
    bool quiet = false;
    bool resume = false;
    bool seaLevel = false;  // heights above sea level taken as above the ellipsoid
    std::optional<std::filesystem::path> geoidGrid;
    bool noCompress = false;
    std::optional<int> textureQuality;
};

struct ViewRequest {
    std::filesystem::path folder;
    std::optional<std::string> host;  // 127.0.0.1 when not given
    std::optional<int> port;          // a free one when not given
    bool noOpen = false;
};

struct ZonesRequest {
    bool json = false;
};

struct CheckRequest {
    std::vector<std::filesystem::path> inputs;
    bool json = false;
    std::optional<unsigned> jobs;
};

enum class SurveyFormat { Plain, Json, GeoJson };

struct SurveyRequest {
    std::string folder;
    SurveyFormat format = SurveyFormat::Plain;
};

}  // namespace vesk::cli
