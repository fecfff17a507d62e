// Opens the input as a sheet through the program's open command, then converts
// every sub-sheet the load accepted by both routes and checks what was written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ConversionRoutes.h"
#include "FuzzUi.h"
#include "Oracle.h"
#include "OutputChecks.h"
#include "ScratchFolder.h"
#include "SheetBytes.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "sheet/ByteSource.h"

namespace vesk::fuzz {
namespace {

std::vector<std::string> MessageTexts(const FuzzUi& ui) {
    std::vector<std::string> texts;
    for (const FuzzUi::Message& message : ui.messages) {
        texts.push_back(message.text);
    }
    return texts;
}

bool SameData(const SubSheetRecord& a, const SubSheetRecord& b) {
    return a.buildingPositions == b.buildingPositions && a.hasDem == b.hasDem &&
           a.demPosition == b.demPosition && a.hasOrtho == b.hasOrtho &&
           a.orthoPosition == b.orthoPosition;
}

bool SamePixels(std::optional<std::span<const std::byte>> a,
                std::optional<std::span<const std::byte>> b) {
    if (!a || !b) {
        return a.has_value() == b.has_value();
    }
    return std::equal(a->begin(), a->end(), b->begin(), b->end());
}

// The file goes through the read-ahead of the file source, memory does not:
// both must give the same load.
void RequireSameLoadFromMemory(const CMyVeskDoc& fromFile, const FuzzUi& fileUi,
                               std::span<const std::byte> bytes) {
    FuzzUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    MemoryByteSource source(bytes);
    doc.LoadSheetFrom(source);
    Require(MessageTexts(ui) == MessageTexts(fileUi),
            "a sheet loads with the same messages from memory as from its file");
    Require(SamePixels(doc.SheetImagePixels(), fromFile.SheetImagePixels()),
            "a sheet loads the same picture from memory as from its file");
    for (int number = 0; number < kSubSheetCount; ++number) {
        Require(doc.SubSheetAccepted(number) == fromFile.SubSheetAccepted(number) &&
                    SameData(doc.CopySubSheetRecord(number), fromFile.CopySubSheetRecord(number)),
                "a sheet loads the same sub-sheets from memory as from its file");
    }
}

// As a click on the picture does: every block deselected, then the one selected.
void SelectOnly(CMyVeskDoc& doc, int number) {
    for (int other = 0; other < kSubSheetCount; ++other) {
        doc.SelectSubSheet(static_cast<unsigned>(other), false);
    }
    doc.SelectSubSheet(static_cast<unsigned>(number), true);
}

void ConvertBlock(CMyVeskDoc& doc, FuzzUi& ui, int number, const std::filesystem::path& input,
                  std::span<const std::byte> bytes) {
    SelectOnly(doc, number);
    const SubSheetRecord record = doc.CopySubSheetRecord(number);
    const std::string baseName = MakeOutputName(record);
    const RouteResult chosen = ConvertIntoChosenFolder(doc, ui, baseName);
    const RouteResult environment = ConvertThroughEnvironment(doc, ui, baseName);
    RequireNoOtherFiles(input, baseName);
    CheckConversion(chosen, record, bytes);
    CheckConversion(environment, record, bytes);
    Require(chosen.geometry == environment.geometry, "both routes write the same geometry file");
    Require(chosen.texture == environment.texture, "both routes write the same texture file");
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    using namespace vesk::fuzz;
    const auto bytes = std::as_bytes(std::span(data, size));
    const std::filesystem::path input = ScratchFolder::Process().Fresh("input") / "sheet.tqb";
    WriteBytes(input, bytes);

    FuzzUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    doc.OpenSheetFile(input);
    Require(ui.waitDepth == 0, "the wait cursor ends with the open command");
    RequireSameLoadFromMemory(doc, ui, bytes);
    for (int number = 0; number < kSubSheetCount; ++number) {
        if (doc.SubSheetAccepted(number)) {
            ConvertBlock(doc, ui, number, input, bytes);
        }
    }
    return 0;
}
