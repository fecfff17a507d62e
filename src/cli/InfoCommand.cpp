// vesk-cli info: load a sheet as the program's open command does and tell what was found.
#include <cstdio>
#include <filesystem>
#include <string>

#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "JsonWriter.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "text/ShiftJis.h"

namespace vesk::cli {
namespace {

std::string AreaJson(const CMyVeskDoc& doc) {
    if (!doc.AreaWasRead()) {
        return "null";
    }
    const SheetArea& a = doc.Area();
    return "{\"scale\": " + std::to_string(a.scale) + ", \"zone\": " + std::to_string(a.zone) +
           ", \"x\": " + JsonFloat(a.originX) + ", \"y\": " + JsonFloat(a.originY) +
           ", \"width\": " + JsonFloat(a.width) + ", \"height\": " + JsonFloat(a.height) + "}";
}

std::string ImageJson(const CMyVeskDoc& doc) {
    if (!doc.SheetImagePixels()) {
        return "null";
    }
    const BitmapInfoHeader& h = doc.SheetImageHeader();
    return "{\"width\": " + std::to_string(h.width) + ", \"height\": " + std::to_string(h.height) +
           ", \"bits\": " + std::to_string(h.bitCount) + "}";
}

std::string SubSheetJson(int number, const SubSheetRecord& r) {
    const auto flag = [](int value) { return value ? std::string("true") : std::string("false"); };
    return "{\"number\": " + std::to_string(number) + ", \"zone\": " + std::to_string(r.zone) +
           ", \"x\": " + JsonFloat(r.originX) + ", \"y\": " + JsonFloat(r.originY) +
           ", \"width\": " + JsonFloat(r.width) + ", \"height\": " + JsonFloat(r.height) +
           ", \"buildings\": " + std::to_string(r.buildingCount) + ", \"dem\": " + flag(r.hasDem) +
           ", \"ortho\": " + flag(r.hasOrtho) + ", \"rect\": [" + std::to_string(r.rect.left) +
           ", " + std::to_string(r.rect.top) + ", " + std::to_string(r.rect.right) + ", " +
           std::to_string(r.rect.bottom) + "], \"output_name\": " + JsonString(MakeOutputName(r)) +
           "}";
}

void PrintJson(const InfoRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    std::string out = "{\"file\": " + JsonString(request.sheet) +
                      ",\n \"opened\": " + (doc.IsSheetLoaded() ? "true" : "false") +
                      ",\n \"messages\": [";
    for (std::size_t i = 0; i < ui.Messages().size(); ++i) {
        out += (i ? ", " : "") + JsonString(ui.Messages()[i]);
    }
    out += "],\n \"title\": " + JsonString(doc.Title()) + ",\n \"area\": " + AreaJson(doc) +
           ",\n \"image\": " + ImageJson(doc) + ",\n \"subsheets\": [";
    bool first = true;
    for (int number = 0; number < kSubSheetCount; ++number) {
        if (doc.SubSheetAccepted(number)) {
            out +=
                (first ? "\n  " : ",\n  ") + SubSheetJson(number, doc.CopySubSheetRecord(number));
            first = false;
        }
    }
    out += "]}\n";
    std::fputs(out.c_str(), stdout);
}

void PrintPlain(const InfoRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    std::printf("File:     %s\n", BytesAsDisplayText(request.sheet).c_str());
    std::printf("Opened:   %s\n", doc.IsSheetLoaded() ? "yes" : "no");
    std::printf("Title:    %s\n", doc.Title().c_str());
    for (const std::string& message : ui.Messages()) {
        std::string oneLine = message;
        for (char& c : oneLine) {
            c = c == '\n' ? ' ' : c;
        }
        std::printf("Message:  %s\n", oneLine.c_str());
    }
    if (doc.AreaWasRead()) {
        const SheetArea& a = doc.Area();
        std::printf("Area:     1/%d, zone %d, origin %s,%s, size %s x %s m\n", a.scale, a.zone,
                    OneDecimal(a.originX).c_str(), OneDecimal(a.originY).c_str(),
                    OneDecimal(a.width).c_str(), OneDecimal(a.height).c_str());
    }
    if (doc.SheetImagePixels()) {
        const BitmapInfoHeader& h = doc.SheetImageHeader();
        std::printf("Image:    %d x %d pixels, %d bits\n", h.width, h.height, h.bitCount);
    }
    std::printf("Blocks:\n");
    for (int number = 0; number < kSubSheetCount; ++number) {
        if (!doc.SubSheetAccepted(number)) {
            continue;
        }
        const SubSheetRecord r = doc.CopySubSheetRecord(number);
        std::printf("  %2d  origin %s,%s  rect %d,%d-%d,%d  buildings %d  DEM %s  ortho %s  %s\n",
                    number + 1, OneDecimal(r.originX).c_str(), OneDecimal(r.originY).c_str(),
                    r.rect.left, r.rect.top, r.rect.right, r.rect.bottom, r.buildingCount,
                    r.hasDem ? "yes" : "no", r.hasOrtho ? "yes" : "no", MakeOutputName(r).c_str());
    }
}

}  // namespace

int RunInfo(const InfoRequest& request) {
    CliUi ui(false);
    CMyVeskDoc doc(ui);
    doc.OpenSheetFile(std::filesystem::path(request.sheet));
    if (request.json) {
        PrintJson(request, doc, ui);
    } else {
        PrintPlain(request, doc, ui);
    }
    if (!doc.IsSheetLoaded()) {
        if (!SayWhyNotReadable("info", request.sheet)) {
            std::fprintf(stderr, "vesk-cli info: %s: no sheet picture could be read\n",
                         BytesAsDisplayText(request.sheet).c_str());
        }
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace vesk::cli
