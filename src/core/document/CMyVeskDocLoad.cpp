// Loading a sheet file into the document: what it takes of each chunk the walk meets.
#include <optional>

#include "document/CMyVeskDoc.h"
#include "sheet/ByteReader.h"
#include "sheet/FileByteSource.h"
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
    areaRead_ = false;
    nameRead_ = false;
    pictureRead_ = false;
    accepted_.fill(false);
    WalkSheet(source, *this);
}

void CMyVeskDoc::SheetAreaRead(const SheetArea& area) {
    sheetArea_ = area;
    areaRead_ = true;
    if (!sheetArea_.IsValidSheet()) {
        ShowError(msg::kNotScale2500);
    }
}

void CMyVeskDoc::SheetAreaUnreadable() {
    ShowError(msg::kCannotReadSheetData);
}

void CMyVeskDoc::NameChunk(ByteSource& sheet, const WalkedChunk& chunk) {
    ByteReader reader(sheet, chunk.BodyOffset());
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
    nameRead_ = !name.empty();
    titleText_ = std::move(name);
    RefreshTitle();
}

void CMyVeskDoc::ImageRefused() {
    ShowError(msg::kNotWindowsBitmap);
}

bool CMyVeskDoc::ImageTaken(ByteSource& sheet, const SheetImageLayout& layout) {
    std::optional<SheetImage> image;
    if (keepsImagePixels_) {
        image = ReadSheetImage(sheet, layout);
        if (!image) {
            ShowError(msg::kNotWindowsBitmap);
            return false;
        }
    }
    imageHeader_ = layout.header;
    pictureRead_ = true;
    pixels_ = image ? std::move(image->pixels) : nullptr;
    pixelBytes_ = image ? image->pixelBytes : 0;
    ++imageGeneration_;
    imageSize_.Record(imageHeader_.width, imageHeader_.height);
    SetImageScale(imageHeader_.width, imageHeader_.height, 1.0);
    ui_.SetExtentAndFitFrame(displayWidth_, displayHeight_);
    return true;
}

void CMyVeskDoc::SetImageScale(int width, int height, double scale) {
    imageWidth_ = width;
    imageHeight_ = height;
    scale_ = scale;
    displayWidth_ = TruncToInt(imageWidth_ * scale_);
    displayHeight_ = TruncToInt(imageHeight_ * scale_);
}

void CMyVeskDoc::SubSheetAreaRefused(SubSheetAreaFault fault) {
    switch (fault) {
        case SubSheetAreaFault::kUnreadable:
            ShowError(msg::kCannotReadSubSheetData);
            break;
        case SubSheetAreaFault::kNotSubSheetSize:
            ShowError(msg::kNotSubSheetOf2500);
            break;
        case SubSheetAreaFault::kNumberOutOfRange:
            ShowError(msg::kSubSheetNumberOutOfRange);
            break;
    }
}

SubSheetRecord& CMyVeskDoc::SubSheetAccepted(const SubSheetArea& area, int zone) {
    const auto number = static_cast<std::size_t>(area.number);
    accepted_[number] = true;
    SubSheetRecord& record = subSheets_[number];
    RecordSubSheetArea(area, zone, record);
    record.rect = SubSheetRectOnImage(sheetArea_, imageSize_.Width(), imageSize_.Height(), area);
    return record;
}

}  // namespace vesk
