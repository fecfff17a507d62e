// Loads the input as a sheet and exports every block the load accepted as
// glTF binary and as OBJ: each file is written whole or not at all, nothing
// else is left in the folder, and every building in the .glb is closed.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "FuzzUi.h"
#include "Oracle.h"
#include "ScratchFolder.h"
#include "WrittenFiles.h"
#include "document/CMyVeskDoc.h"
#include "export/BlockExport.h"
#include "sheet/ByteSource.h"

namespace vesk::fuzz {
namespace {

void ExportInto(std::span<const std::byte> bytes, const SubSheetRecord& record,
                ExportFormat format) {
    const std::filesystem::path folder = ScratchFolder::Process().Fresh("export");
    MemoryByteSource sheet(bytes);
    const ExportReport report = ExportBlock(sheet, record, {format, {}, {}}, folder);
    std::vector<std::filesystem::path> written;
    for (const ExportedFile& file : report.files) {
        Require(!file.path.empty(), "every file is named");
        if (file.fault.empty()) {
            written.push_back(file.path);
        }
    }
    RequireOnlyFiles(folder, written);
    if (format == ExportFormat::kGlb && report.AllWritten()) {
        RequireClosedBuildings(report.files.at(0).path);
    }
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    using namespace vesk::fuzz;
    const auto bytes = std::as_bytes(std::span(data, size));
    FuzzUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    MemoryByteSource source(bytes);
    doc.LoadSheetFrom(source);
    for (int number = 0; number < kSubSheetCount; ++number) {
        if (doc.SubSheetAccepted(number)) {
            const SubSheetRecord record = doc.CopySubSheetRecord(number);
            ExportInto(bytes, record, ExportFormat::kGlb);
            ExportInto(bytes, record, ExportFormat::kObj);
        }
    }
    return 0;
}
