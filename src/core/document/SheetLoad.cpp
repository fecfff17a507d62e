// Loading a sheet file: what the load takes of each chunk the walk meets.
#include "document/SheetLoad.h"

#include "document/DocumentUi.h"
#include "sheet/ByteReader.h"
#include "sheet/FileByteSource.h"
#include "sheet/SheetMessages.h"
#include "text/ShiftJis.h"

namespace vesk {
namespace {

namespace msg = sheet_messages;

constexpr std::string_view kUntitled = "無題";

// The source, noting how far into it the reading has got.
class WatchedSource final : public ByteSource {
public:
    WatchedSource(ByteSource& source, std::atomic<std::uint64_t>& reached)
        : source_(source), reached_(reached) {}

    std::uint64_t Size() const override { return source_.Size(); }

    std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> out) override {
        const std::size_t read = source_.ReadAt(offset, out);
        reached_.store(offset + read, std::memory_order_relaxed);
        return read;
    }

private:
    ByteSource& source_;
    std::atomic<std::uint64_t>& reached_;
};

}  // namespace

std::string TitleOf(const std::string& shiftJisText) {
    return shiftJisText.empty() ? std::string(kUntitled) : ShiftJisToUtf8(shiftJisText);
}

SheetLoad::SheetLoad(std::filesystem::path path, LoadedSheet carried, bool keepPixels)
    : path_(std::move(path)), keepPixels_(keepPixels), sheet_(std::move(carried)) {}

void SheetLoad::Run() {
    auto file = FileByteSource::Open(path_);
    if (!file) {
        Report(msg::kCannotOpenSheetFile);
        return;
    }
    RunOn(*file);
}

void SheetLoad::RunOn(ByteSource& source) {
    sheet_.opened = true;
    size_.store(source.Size());
    WatchedSource watched(source, reached_);
    WalkSheet(watched, *this, cancelled_);
}

double SheetLoad::Progress() const {
    const std::uint64_t size = size_.load();
    return size == 0 ? 0.0 : static_cast<double>(reached_.load()) / static_cast<double>(size);
}

void SheetLoad::TellTo(DocumentUi& ui) const {
    for (const auto& tell : told_) {
        tell(ui);
    }
}

void SheetLoad::Report(const DiagnosticKind& kind) {
    told_.emplace_back(
        [diagnostic = MakeDiagnostic(kind)](DocumentUi& ui) { ui.Report(diagnostic); });
}

void SheetLoad::SheetAreaRead(const SheetArea& area) {
    sheet_.area = area;
    sheet_.areaRead = true;
    if (!area.IsValidSheet()) {
        Report(msg::kNotScale2500);
    }
}

void SheetLoad::SheetAreaUnreadable() {
    Report(msg::kCannotReadSheetData);
}

void SheetLoad::NameChunk(ByteSource& sheet, const WalkedChunk& chunk) {
    ByteReader reader(sheet, chunk.BodyOffset());
    const std::uint32_t size = chunk.header.bodySize;
    if (size == 0 || size > reader.Remaining()) {
        Report(msg::kCannotReadSheetData);
        return;
    }
    std::string name(size, '\0');
    if (!reader.Read(std::as_writable_bytes(std::span(name)))) {
        Report(msg::kCannotReadSheetData);
        return;
    }
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    sheet_.nameRead = !name.empty();
    told_.emplace_back([title = TitleOf(name)](DocumentUi& ui) { ui.TitleChanged(title); });
    sheet_.titleText = std::move(name);
}

void SheetLoad::ImageRefused() {
    Report(msg::kNotWindowsBitmap);
}

bool SheetLoad::ImageTaken(ByteSource& sheet, const SheetImageLayout& layout) {
    LoadedPicture picture{layout.header, nullptr, 0};
    if (keepPixels_) {
        auto image = ReadSheetImage(sheet, layout, cancelled_);
        if (!image) {
            if (!Cancelled()) {
                Report(msg::kNotWindowsBitmap);
            }
            return false;
        }
        picture.pixels = std::move(image->pixels);
        picture.pixelBytes = image->pixelBytes;
    }
    const int width = layout.header.width;
    const int height = layout.header.height;
    sheet_.picture = std::move(picture);
    sheet_.imageSize.Record(width, height);
    told_.emplace_back([width, height](DocumentUi& ui) { ui.SetExtentAndFitFrame(width, height); });
    return true;
}

void SheetLoad::SubSheetAreaRefused(SubSheetAreaFault fault) {
    switch (fault) {
        case SubSheetAreaFault::kUnreadable:
            Report(msg::kCannotReadSubSheetData);
            break;
        case SubSheetAreaFault::kNotSubSheetSize:
            Report(msg::kNotSubSheetOf2500);
            break;
        case SubSheetAreaFault::kNumberOutOfRange:
            Report(msg::kSubSheetNumberOutOfRange);
            break;
    }
}

SubSheetRecord& SheetLoad::SubSheetAccepted(const SubSheetArea& area, int zone) {
    const auto number = static_cast<std::size_t>(area.number);
    sheet_.accepted[number] = true;
    SubSheetRecord& record = sheet_.subSheets[number];
    RecordSubSheetArea(area, zone, record);
    record.rect =
        SubSheetRectOnImage(sheet_.area, sheet_.imageSize.Width(), sheet_.imageSize.Height(), area);
    return record;
}

}  // namespace vesk
