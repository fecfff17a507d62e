#include "sheet/SheetWalk.h"

#include <array>

#include "sheet/ByteReader.h"
#include "sheet/DataChunkPosition.h"

namespace vesk {
namespace {

class SheetWalk {
public:
    SheetWalk(ByteSource& sheet, SheetWalkVisitor& visitor, const std::atomic<bool>& stop)
        : sheet_(sheet), visitor_(visitor), stop_(stop), walker_(sheet) {}

    void Run() {
        while (!stop_.load(std::memory_order_relaxed)) {
            const auto chunk = walker_.Next();
            if (!chunk) {
                return;
            }
            Take(*chunk);
        }
    }

private:
    void Take(const WalkedChunk& chunk) {
        const ChunkHeader& header = chunk.header;
        if (Matches(header, kSheetAreaChunk)) {
            ReadSheetArea(chunk);
        } else if (Matches(header, kNameChunk)) {
            visitor_.NameChunk(sheet_, chunk);
        } else if (Matches(header, kImageChunk)) {
            ReadImage(chunk);
        } else if (Matches(header, kSubSheetAreaChunk)) {
            ReadSubSheetArea(chunk);
        } else if (chunk.level == 3 && current_ != nullptr) {
            RecordDataChunkPosition(chunk, *current_);
        }
    }

    void ReadSheetArea(const WalkedChunk& chunk) {
        ByteReader reader(sheet_, chunk.BodyOffset());
        std::array<std::byte, kSheetAreaSize> body{};
        if (!reader.Read(body)) {
            zone_ = 0;
            visitor_.SheetAreaUnreadable();
            return;
        }
        const SheetArea area = DecodeSheetArea(body);
        zone_ = area.IsValidSheet() ? area.zone : 0;
        visitor_.SheetAreaRead(area);
    }

    // The picture ends where its bitmap says, not where the chunk's body size does.
    void ReadImage(const WalkedChunk& chunk) {
        const auto image = ReadSheetImageLayout(sheet_, chunk);
        if (!image) {
            visitor_.ImageRefused();
        } else if (visitor_.ImageTaken(sheet_, *image)) {
            walker_.ContinueAt(image->End());
        }
    }

    void ReadSubSheetArea(const WalkedChunk& chunk) {
        ByteReader reader(sheet_, chunk.BodyOffset());
        std::array<std::byte, kSubSheetAreaSize> body{};
        if (!reader.Read(body)) {
            visitor_.SubSheetAreaRefused(SubSheetAreaFault::kUnreadable);
            return;
        }
        const SubSheetArea area = DecodeSubSheetArea(body);
        if (!area.HasSubSheetSize()) {
            visitor_.SubSheetAreaRefused(SubSheetAreaFault::kNotSubSheetSize);
        } else if (!area.HasValidNumber()) {
            visitor_.SubSheetAreaRefused(SubSheetAreaFault::kNumberOutOfRange);
        } else {
            current_ = &visitor_.SubSheetAccepted(area, zone_);
        }
    }

    ByteSource& sheet_;
    SheetWalkVisitor& visitor_;
    const std::atomic<bool>& stop_;
    ChunkWalker walker_;
    int zone_ = 0;
    SubSheetRecord* current_ = nullptr;  // of the last accepted sub-sheet
};

}  // namespace

void RecordSubSheetArea(const SubSheetArea& area, int zone, SubSheetRecord& record) {
    record.zone = zone;
    record.originX = area.originX;
    record.originY = area.originY;
    record.width = area.width;
    record.height = area.height;
}

void WalkSheet(ByteSource& sheet, SheetWalkVisitor& visitor) {
    const std::atomic<bool> never{false};
    WalkSheet(sheet, visitor, never);
}

void WalkSheet(ByteSource& sheet, SheetWalkVisitor& visitor, const std::atomic<bool>& stop) {
    SheetWalk(sheet, visitor, stop).Run();
}

}  // namespace vesk
