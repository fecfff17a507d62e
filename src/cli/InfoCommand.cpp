// vesk-cli info: load a sheet as the program's open command does and tell what was found.
#include <cstdio>
#include <filesystem>
#include <string>

#include "CliUi.h"
#include "Commands.h"
#include "FileErrors.h"
#include "OneDecimal.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "survey/SurveyJson.h"
#include "text/JsonText.h"
#include "text/ShiftJis.h"
#include "text/TerminalText.h"

namespace vesk::cli {
namespace {

constexpr JsonKeyLayout kJsonLayout[] = {{"subsheets", {.items = 2}}};

JsonValue AreaJson(const CMyVeskDoc& doc) {
    return doc.AreaWasRead() ? SheetAreaJson(doc.Area()) : JsonValue(nullptr);
}

JsonValue ImageJson(const CMyVeskDoc& doc) {
    if (!doc.SheetImagePixels()) {
        return nullptr;
    }
    const BitmapInfoHeader& h = doc.SheetImageHeader();
    return {{"width", h.width}, {"height", h.height}, {"bits", h.bitCount}};
}

JsonValue SubSheetJson(int number, const SubSheetRecord& r) {
    return {{"number", number},
            {"zone", r.zone},
            {"x", r.originX},
            {"y", r.originY},
            {"width", r.width},
            {"height", r.height},
            {"buildings", r.buildingCount},
            {"dem", r.hasDem != 0},
            {"ortho", r.hasOrtho != 0},
            {"rect", JsonValue::array({r.rect.left, r.rect.top, r.rect.right, r.rect.bottom})},
            {"output_name", MakeOutputName(r)}};
}

void PrintJson(const InfoRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    JsonValue subsheets = JsonValue::array();
    for (int number = 0; number < kSubSheetCount; ++number) {
        if (doc.SubSheetAccepted(number)) {
            subsheets.push_back(SubSheetJson(number, doc.CopySubSheetRecord(number)));
        }
    }
    const JsonValue info = {{"file", request.sheet},
                            {"opened", doc.IsSheetLoaded()},
                            {"messages", ui.Messages()},
                            {"title", doc.Title()},
                            {"area", AreaJson(doc)},
                            {"image", ImageJson(doc)},
                            {"subsheets", std::move(subsheets)}};
    std::fputs(JsonText(info, kJsonLayout).c_str(), stdout);
}

void PrintPlain(const InfoRequest& request, const CMyVeskDoc& doc, const CliUi& ui) {
    std::printf("File:     %s\n", TerminalText(BytesAsDisplayText(request.sheet)).c_str());
    std::printf("Opened:   %s\n", doc.IsSheetLoaded() ? "yes" : "no");
    std::printf("Title:    %s\n", TerminalText(doc.Title()).c_str());
    for (const std::string& message : ui.Messages()) {
        std::string oneLine = message;
        for (char& c : oneLine) {
            c = c == '\n' ? ' ' : c;
        }
        std::printf("Message:  %s\n", TerminalText(oneLine).c_str());
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
                         TerminalText(BytesAsDisplayText(request.sheet)).c_str());
        }
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace vesk::cli
