// Loading a sheet file into the document: the walk, and what each chunk does.
#include <array>
#include <optional>

#include "document/CMyVeskDoc.h"
#include "sheet/ChunkWalker.h"
#include "sheet/DataChunkPosition.h"
#include "sheet/FileByteSource.h"
#include "sheet/SheetImage.h"
#include "sheet/SheetMessages.h"

namespace vesk {

namespace msg = sheet_messages;

bool CMyVeskDoc::LoadSheet(const std::filesystem::path& path) {
    auto source = FileByteSource::Open(path);
    if (!source) {
        ShowError(msg::kCannotOpenSheetFile);
        return false;
    }
    LoadSheetFrom(*source);
    return true;
}

void CMyVeskDoc::LoadSheetFrom(ByteSource& source) {
    localZone_ = 0;
    currentSubSheet_.reset();
    areaRead_ = false;
    accepted_.fill(false);
    ChunkWalker walker(source);
    while (const auto chunk = walker.Next()) {
        const ChunkHeader& header = chunk->header;
        if (Matches(header, kSheetAreaChunk)) {
            ReadSheetAreaChunk(source, *chunk);
        } else if (Matches(header, kNameChunk)) {
            ReadNameChunk(source, *chunk);
        } else if (Matches(header, kImageChunk)) {
            ReadImageChunk(source, *chunk, walker);
        } else if (Matches(header, kSubSheetAreaChunk)) {
            ReadSubSheetAreaChunk(source, *chunk);
        } else if (chunk->level == 3) {
            RecordDataChunk(*chunk);
        }
    }
}

void CMyVeskDoc::ReadSheetAreaChunk(ByteSource& source, const WalkedChunk& chunk) {
    ByteReader reader(source, chunk.BodyOffset());
    std::array<std::byte, kSheetAreaSize> body{};
    if (!reader.Read(body)) {
        ShowError(msg::kCannotReadSheetData);
        localZone_ = 0;
        return;
    }
    sheetArea_ = DecodeSheetArea(body);
    areaRead_ = true;
    if (sheetArea_.IsValidSheet()) {
        localZone_ = sheetArea_.zone;
    } else {
        ShowError(msg::kNotScale2500);
        localZone_ = 0;
    }
}

void CMyVeskDoc::ReadNameChunk(ByteSource& source, const WalkedChunk& chunk) {
    ByteReader reader(source, chunk.BodyOffset());
    const std::uint32_t size = chunk.header.bodySize;
    if (size == 0 || size > reader.Remaining()) {
        ShowError(msg::kCannotReadSheetData);
        return;
    }
    std::string name(size, '\0');
    if (!reader.Read(std::as_writable_bytes(std::span(name)))) {
        ShowError(msg::kCannotReadSheetData);
        return;
    }
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    titleText_ = std::move(name);
    RefreshTitle();
}

void CMyVeskDoc::ReadImageChunk(ByteSource& source, const WalkedChunk& chunk, ChunkWalker& walker) {
    const auto layout = ReadSheetImageLayout(source, chunk);
    std::optional<SheetImage> image;
    if (layout && keepsImagePixels_) {
        image = ReadSheetImage(source, *layout);
    }
    if (!layout || (keepsImagePixels_ && !image)) {
        // A bad bitmap is passed over by the chunk's body size.
        ShowError(msg::kNotWindowsBitmap);
        return;
    }
    walker.ContinueAt(layout->End());
    imageHeader_ = layout->header;
    pixels_ = image ? std::move(image->pixels) : nullptr;
    pixelBytes_ = image ? image->pixelBytes : 0;
    ++imageGeneration_;
    imageSize_.Record(imageHeader_.width, imageHeader_.height);
    SetImageScale(imageHeader_.width, imageHeader_.height, 1.0);
    ui_.SetExtentAndFitFrame(displayWidth_, displayHeight_);
}

void CMyVeskDoc::SetImageScale(int width, int height, double scale) {
    imageWidth_ = width;
    imageHeight_ = height;
    scale_ = scale;
    displayWidth_ = TruncToInt(imageWidth_ * scale_);
    displayHeight_ = TruncToInt(imageHeight_ * scale_);
}

void CMyVeskDoc::ReadSubSheetAreaChunk(ByteSource& source, const WalkedChunk& chunk) {
    ByteReader reader(source, chunk.BodyOffset());
    std::array<std::byte, kSubSheetAreaSize> body{};
    if (!reader.Read(body)) {
        ShowError(msg::kCannotReadSubSheetData);
        return;
    }
    const SubSheetArea area = DecodeSubSheetArea(body);
    if (!area.HasSubSheetSize()) {
        ShowError(msg::kNotSubSheetOf2500);
        return;
    }
    if (!area.HasValidNumber()) {
        ShowError(msg::kSubSheetNumberOutOfRange);
        return;
    }
    currentSubSheet_ = area.number;
    accepted_[static_cast<std::size_t>(area.number)] = true;
    SubSheetRecord& record = subSheets_[static_cast<std::size_t>(area.number)];
    record.zone = localZone_;
    record.originX = area.originX;
    record.originY = area.originY;
    record.width = area.width;
    record.height = area.height;
    record.rect = SubSheetRectOnImage(sheetArea_, imageSize_.Width(), imageSize_.Height(), area);
}

void CMyVeskDoc::RecordDataChunk(const WalkedChunk& chunk) {
    if (!currentSubSheet_) {
        return;
    }
    RecordDataChunkPosition(chunk, subSheets_[static_cast<std::size_t>(*currentSubSheet_)]);
}

}  // namespace vesk
