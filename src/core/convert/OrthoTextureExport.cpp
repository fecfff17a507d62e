#include "convert/OrthoTextureExport.h"

#include <algorithm>
#include <vector>

#include "convert/ConversionMessages.h"
#include "platform/AtomicOutputFile.h"
#include "sheet/ByteReader.h"
#include "sheet/ChunkBody.h"

namespace vesk {
namespace {

namespace msg = conversion_messages;

constexpr std::size_t kCopyBlock = std::size_t{1} << 20;

void ReportOrthoLeftOut(MessageSink& ui) {
    ui.Report(msg::DataLeftOut({MakeDiagnostic(msg::kOrthoLeftOut)}));
}

// Copies `size` bytes from the reader; false when the sheet file gave fewer.
bool CopyBody(ByteReader& reader, std::uint64_t size, AtomicOutputFile& out) {
    std::vector<std::byte> block(
        static_cast<std::size_t>(std::min<std::uint64_t>(size, kCopyBlock)));
    while (size > 0) {
        const auto piece = std::span(block).first(
            static_cast<std::size_t>(std::min<std::uint64_t>(size, block.size())));
        if (!reader.Read(piece)) {
            return false;
        }
        out.Write(std::span<const std::byte>(piece));
        size -= piece.size();
    }
    return true;
}

}  // namespace

bool CopyOrthoTexture(ByteSource& sheet, const std::filesystem::path& texturePath,
                      const SubSheetRecord& record, MessageSink& ui) {
    // The header was recognised by the load; only its body size is taken here.
    const auto body = LocateChunkBody(sheet, record.orthoPosition);
    if (!body) {
        ReportOrthoLeftOut(ui);
        return false;
    }
    AtomicOutputFile out(texturePath);
    if (!out.IsOpen()) {
        ui.Report(msg::CannotCreate(out));
        return false;
    }
    ByteReader reader(sheet, body->offset);
    if (!CopyBody(reader, body->header.bodySize, out)) {
        ReportOrthoLeftOut(ui);
        return false;
    }
    if (!out.Commit()) {
        ui.Report(msg::AboutFile(msg::kCannotWriteFile, texturePath));
        return false;
    }
    return true;
}

}  // namespace vesk
