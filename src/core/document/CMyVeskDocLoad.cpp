// Loading a sheet file into the document: what a load starts from, and what
// the document takes of it once it has run.
#include "document/CMyVeskDoc.h"

namespace vesk {

LoadedSheet CMyVeskDoc::Carried() const {
    LoadedSheet carried;
    carried.area = sheetArea_;
    carried.subSheets = subSheets_;
    carried.imageSize = imageSize_;
    return carried;
}

void CMyVeskDoc::LoadSheetFrom(ByteSource& source) {
    SheetLoad load(sheetPath_, Carried(), keepsImagePixels_);
    load.RunOn(source);
    Take(load);
}

// What the load read replaces the document's sheet, and what it had to say
// is told in the order it was met, as if the document had read it itself.
bool CMyVeskDoc::Take(SheetLoad& load) {
    LoadedSheet& sheet = load.Sheet();
    sheetArea_ = sheet.area;
    areaRead_ = sheet.areaRead;
    nameRead_ = sheet.nameRead;
    if (sheet.titleText) {
        titleText_ = std::move(*sheet.titleText);
        title_ = TitleOf(titleText_);
    }
    pictureRead_ = sheet.picture.has_value();
    if (sheet.picture) {
        TakePicture(std::move(*sheet.picture));
    }
    accepted_ = sheet.accepted;
    subSheets_ = std::move(sheet.subSheets);
    imageSize_ = sheet.imageSize;
    load.TellTo(ui_);
    return sheet.opened;
}

void CMyVeskDoc::TakePicture(LoadedPicture&& picture) {
    imageHeader_ = picture.header;
    pixels_ = std::move(picture.pixels);
    pixelBytes_ = picture.pixelBytes;
    ++imageGeneration_;
    SetImageScale(imageHeader_.width, imageHeader_.height, 1.0);
}

void CMyVeskDoc::SetImageScale(int width, int height, double scale) {
    imageWidth_ = width;
    imageHeight_ = height;
    scale_ = scale;
    displayWidth_ = TruncToInt(imageWidth_ * scale_);
    displayHeight_ = TruncToInt(imageHeight_ * scale_);
}

}  // namespace vesk
