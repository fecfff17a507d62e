// vesk-cli export: one block or every block of a sheet as a 3D model, glTF 2.0
// or OBJ, for 3D and GIS tools.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ChosenBlocks.h"
#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "TerminalDiagnostic.h"
#include "batch/BatchMessages.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "export/BlockExport.h"
#include "model/BlockCentre.h"
#include "model/ModelMessages.h"
#include "sheet/FileByteSource.h"
#include "text/ShiftJis.h"
#include "text/TerminalText.h"

namespace vesk::cli {
namespace {

// What a written file holds: the model's counts for the model file, the size
// for the texture.
std::string Contents(const ExportReport& report, const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    if (extension == ".png" || extension == ".jpg") {
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

// What was left out, indented under the files; a building as the check prints
// the same fault: its code, its place in the zone's plane coordinates and its
// English text.
void PrintLeftOut(const Diagnostic& diagnostic) {
    std::printf("  %s\n", CommandLineText(diagnostic).c_str());
    Log(diagnostic);
}

// A path as a terminal should show it: its control characters escaped.
std::string Shown(const std::string& path) {
    return TerminalText(BytesAsDisplayText(path));
}

void PrintReport(const ExportReport& report, int zone) {
    for (const ExportedFile& file : report.files) {
        if (file.fault.empty()) {
            std::printf("%s: %s\n", Shown(file.path.string()).c_str(),
                        Contents(report, file.path).c_str());
        } else {
            std::fprintf(stderr, "vesk-cli export: %s %s\n", Shown(file.path.string()).c_str(),
                         file.fault.c_str());
        }
    }
    for (const LeftOutBuilding& building : report.buildingsLeftOut) {
        PrintLeftOut(model_messages::BuildingLeftOut(building));
    }
    for (const Diagnostic& diagnostic : report.diagnostics) {
        PrintLeftOut(diagnostic);
    }
    if (report.crs) {
        std::printf("  coordinates: metres from the block's origin in %s\n", report.crs->c_str());
    } else {
        std::printf("  local coordinates only: zone %d has no georeference\n", zone);
    }
}

// A block that is not written, told as the batch commands tell it.
void PrintRefusal(const std::string& sheet, int number, const std::string& name,
                  const Diagnostic& why) {
    std::fprintf(stderr, "vesk-cli export: %s block %d (%s): %s\n", Shown(sheet).c_str(),
                 number + 1, name.c_str(), CommandLineText(why).c_str());
    Log(why);
}

// Why the block is not written: it lies nowhere, or an earlier block of the
// sheet has its name and so its files.
std::optional<Diagnostic> Refusal(const SubSheetRecord& record, const std::string& name,
                                  std::set<std::string>& names) {
    if (!HasFiniteOrigin(record)) {
        return model_messages::BlockOriginNotFinite();
    }
    if (!names.insert(name).second) {
        return MakeDiagnostic(batch_messages::kNameTwiceInSheet);
    }
    return std::nullopt;
}

ExportChoices ChoicesOf(const ExportRequest& request) {
    ExportChoices choices;
    choices.format = request.format;
    choices.model = {!request.noBuildings, !request.noTerrain, !request.noTexture};
    choices.compression.enabled = request.compress;
    choices.compression.textureQuality = request.textureQuality.value_or(kDefaultJpegQuality);
    return choices;
}

}  // namespace

int RunExport(const ExportRequest& request) {
    CliUi ui(true);
    CMyVeskDoc doc(ui);
    // The model is built from the blocks' chunks alone: the picture's headers are
    // checked, its pixels left in the file.
    doc.KeepSheetImagePixels(false);
    doc.OpenSheetFile(std::filesystem::path(request.sheet));
    if (!doc.IsSheetLoaded()) {
        SayWhyNotReadable("export", request.sheet);
        return kExitFailed;
    }
    const auto numbers = ChosenBlocks("export", request.block, doc);
    auto sheet = FileByteSource::Open(doc.SheetPath());
    const std::filesystem::path folder(request.out.value_or("."));
    if (!numbers || !sheet || !MakeOutputFolder("export", folder)) {
        return kExitFailed;
    }
    bool allWritten = true;
    std::set<std::string> names;
    for (const int number : *numbers) {
        const SubSheetRecord record = doc.CopySubSheetRecord(number);
        const std::string name = MakeOutputName(record);
        if (const auto why = Refusal(record, name, names)) {
            PrintRefusal(request.sheet, number, name, *why);
            allWritten = false;
            continue;
        }
        const ExportReport report = ExportBlock(*sheet, record, ChoicesOf(request), folder);
        PrintReport(report, record.zone);
        allWritten = allWritten && report.AllWritten();
    }
    return allWritten ? kExitOk : kExitFailed;
}

}  // namespace vesk::cli
