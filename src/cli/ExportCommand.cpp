// vesk-cli export: one block or every block of a sheet as a 3D model, glTF 2.0
// or OBJ, for 3D and GIS tools.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CliUi.h"
#include "Commands.h"
#include "document/CMyVeskDoc.h"
#include "export/BlockExport.h"
#include "sheet/FileByteSource.h"

namespace vesk::cli {
namespace {

constexpr const char* kUsage =
    "usage: vesk-cli export SHEET (--block N | --all) [--format glb|gltf|obj] [--out DIR]\n"
    "                [--no-buildings] [--no-terrain] [--no-texture]\n";

struct ExportRequest {
    std::string sheet;
    std::optional<int> block;  // 1 to 25, as the map shows it
    bool all = false;
    std::optional<ExportFormat> format;
    std::optional<std::string> out;
    bool noBuildings = false;
    bool noTerrain = false;
    bool noTexture = false;
};

std::optional<int> ParseBlock(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > kSubSheetCount) {
        return std::nullopt;
    }
    return value;
}

std::optional<ExportFormat> ParseFormat(std::string_view text) {
    if (text == "glb") {
        return ExportFormat::kGlb;
    }
    if (text == "gltf") {
        return ExportFormat::kGltf;
    }
    if (text == "obj") {
        return ExportFormat::kObj;
    }
    return std::nullopt;
}

// Takes the option at args[i] (and its value); false on anything unknown or repeated.
bool TakeOption(Arguments args, std::size_t& i, ExportRequest& request) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--block" && hasValue && !request.block) {
        request.block = ParseBlock(args[++i]);
        return request.block.has_value();
    }
    if (arg == "--format" && hasValue && !request.format) {
        request.format = ParseFormat(args[++i]);
        return request.format.has_value();
    }
    if (arg == "--out" && hasValue && !request.out && !args[i + 1].empty()) {
        request.out = std::string(args[++i]);
        return true;
    }
    bool* flag = arg == "--all"            ? &request.all
                 : arg == "--no-buildings" ? &request.noBuildings
                 : arg == "--no-terrain"   ? &request.noTerrain
                 : arg == "--no-texture"   ? &request.noTexture
                                           : nullptr;
    if (flag == nullptr || *flag) {
        return false;
    }
    *flag = true;
    return true;
}

std::optional<ExportRequest> ParseExport(Arguments args) {
    ExportRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("--")) {
            if (!request.sheet.empty() || args[i].empty()) {
                return std::nullopt;
            }
            request.sheet = std::string(args[i]);
        } else if (!TakeOption(args, i, request)) {
            return std::nullopt;
        }
    }
    if (request.sheet.empty() || request.all == request.block.has_value()) {
        return std::nullopt;
    }
    return request;
}

// The blocks to export, 0 to 24; nothing after a message when the block is absent.
std::optional<std::vector<int>> BlocksToExport(const ExportRequest& request,
                                               const CMyVeskDoc& doc) {
    std::vector<int> numbers;
    for (int number = 0; number < kSubSheetCount; ++number) {
        const bool wanted = request.all || number == *request.block - 1;
        if (wanted && doc.SubSheetAccepted(number)) {
            numbers.push_back(number);
        }
    }
    if (numbers.empty()) {
        if (request.all) {
            std::fputs("vesk-cli export: the sheet holds no block to export\n", stderr);
        } else {
            std::fprintf(stderr, "vesk-cli export: block %d is not in the sheet\n", *request.block);
        }
        return std::nullopt;
    }
    return numbers;
}

// What a written file holds: the model's counts for the model file, the size
// for the texture.
std::string Contents(const ExportReport& report, const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    if (extension == ".png") {
        return "texture " + std::to_string(report.textureWidth) + " x " +
               std::to_string(report.textureHeight);
    }
    if (extension == ".glb" || extension == ".gltf" || extension == ".obj") {
        std::string text = std::to_string(report.buildingsWritten) + " buildings written, " +
                           std::to_string(report.buildingsLeftOut.size()) + " left out, " +
                           std::to_string(report.triangles) + " triangles";
        if (extension == ".glb" && report.textureWidth > 0) {
            text += ", texture " + std::to_string(report.textureWidth) + " x " +
                    std::to_string(report.textureHeight);
        }
        return text;
    }
    return extension == ".bin" ? "geometry buffer" : "materials";
}

void PrintReport(const ExportReport& report, int zone) {
    for (const ExportedFile& file : report.files) {
        if (file.fault.empty()) {
            std::printf("%s: %s\n", file.path.string().c_str(),
                        Contents(report, file.path).c_str());
        } else {
            std::fprintf(stderr, "vesk-cli export: %s %s\n", file.path.string().c_str(),
                         file.fault.c_str());
        }
    }
    for (const LeftOutBuilding& building : report.buildingsLeftOut) {
        std::printf("  building %u left out: %s\n", building.number, building.reason.c_str());
    }
    for (const std::string& message : report.messages) {
        std::printf("  %s\n", message.c_str());
    }
    if (report.crs) {
        std::printf("  coordinates: metres from the block's origin in %s\n", report.crs->c_str());
    } else {
        std::printf("  local coordinates only: zone %d has no georeference\n", zone);
    }
}

ExportChoices ChoicesOf(const ExportRequest& request) {
    ExportChoices choices;
    choices.format = request.format.value_or(ExportFormat::kGlb);
    choices.model = {!request.noBuildings, !request.noTerrain, !request.noTexture};
    return choices;
}

}  // namespace

int RunExport(Arguments args) {
    const auto request = ParseExport(args);
    if (!request) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    CliUi ui(true);
    CMyVeskDoc doc(ui);
    doc.OpenSheetFile(std::filesystem::path(request->sheet));
    if (!doc.IsSheetLoaded()) {
        return kExitFailed;
    }
    const auto numbers = BlocksToExport(*request, doc);
    auto sheet = FileByteSource::Open(doc.SheetPath());
    if (!numbers || !sheet) {
        return kExitFailed;
    }
    const std::filesystem::path folder(request->out.value_or("."));
    bool allWritten = true;
    for (const int number : *numbers) {
        const SubSheetRecord record = doc.CopySubSheetRecord(number);
        const ExportReport report = ExportBlock(*sheet, record, ChoicesOf(*request), folder);
        PrintReport(report, record.zone);
        allWritten = allWritten && report.AllWritten();
    }
    return allWritten ? kExitOk : kExitFailed;
}

}  // namespace vesk::cli
