#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Diagnostic.h"
#include "sheet/ByteSource.h"
#include "sheet/ProgramImageSize.h"
#include "sheet/SheetArea.h"
#include "sheet/SheetImage.h"
#include "sheet/SheetWalk.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

class DocumentUi;

// The sheet picture as a load took it.
struct LoadedPicture {
    BitmapInfoHeader header;
    std::unique_ptr<std::byte[]> pixels;  // none when the load was told not to keep them
    std::size_t pixelBytes = 0;
};

// What one load read of a sheet file, for the document to take.
struct LoadedSheet {
    bool opened = false;  // the file could be opened; nothing else holds otherwise
    SheetArea area;
    bool areaRead = false;
    std::optional<std::string> titleText;  // the last NAME chunk's text (Shift-JIS)
    bool nameRead = false;                 // and it gave a name
    std::optional<LoadedPicture> picture;
    std::array<bool, kSubSheetCount> accepted{};
    std::array<SubSheetRecord, kSubSheetCount> subSheets{};
    ProgramImageSize imageSize;  // the process's, with this load's picture recorded
};

// One load of a sheet file, apart from the document it is for: it fills a
// LoadedSheet of its own, so it can run on a thread of its own while the
// document is drawn, and keeps what it would tell the user, in order, for the
// document to tell once it takes the sheet. Cancel stops it before the next
// chunk or slice of the picture; a cancelled load is taken as none.
class SheetLoad : private SheetWalkVisitor {
public:
    // The load of the file, starting from what the document carries over from
    // the sheet before: its area, the records of its sub-sheets (those this
    // load does not accept keep theirs) and the size of the last picture read,
    // which places the rectangles of a sheet without one.
    SheetLoad(std::filesystem::path path, LoadedSheet carried, bool keepPixels);

    SheetLoad(const SheetLoad&) = delete;
    SheetLoad& operator=(const SheetLoad&) = delete;

    // Opens and reads the file. Called once, on any one thread.
    void Run();
    // Reads a sheet from the source instead of the file.
    void RunOn(ByteSource& source);

    // From any thread.
    void Cancel() { cancelled_.store(true); }
    bool Cancelled() const { return cancelled_.load(); }
    // How much of the file has been read, from 0 to 1.
    double Progress() const;

    const std::filesystem::path& Path() const { return path_; }
    // Once it has run: what it read, and what it had to say, in order.
    LoadedSheet& Sheet() { return sheet_; }
    void TellTo(DocumentUi& ui) const;

private:
    void SheetAreaRead(const SheetArea& area) override;
    void SheetAreaUnreadable() override;
    void NameChunk(ByteSource& sheet, const WalkedChunk& chunk) override;
    void ImageRefused() override;
    bool ImageTaken(ByteSource& sheet, const SheetImageLayout& image) override;
    void SubSheetAreaRefused(SubSheetAreaFault fault) override;
    SubSheetRecord& SubSheetAccepted(const SubSheetArea& area, int zone) override;

    void Report(const DiagnosticKind& kind);

    std::filesystem::path path_;
    bool keepPixels_;
    LoadedSheet sheet_;
    std::vector<std::function<void(DocumentUi&)>> told_;
    std::atomic<bool> cancelled_{false};
    std::atomic<std::uint64_t> size_{0};
    std::atomic<std::uint64_t> reached_{0};
};

// The document's title for its Shift-JIS text, "無題" for none.
std::string TitleOf(const std::string& shiftJisText);

}  // namespace vesk
