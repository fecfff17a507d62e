#pragma once

#include <atomic>

#include "sheet/ByteSource.h"
#include "sheet/ChunkWalker.h"
#include "sheet/SheetArea.h"
#include "sheet/SheetImage.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Why a sub-sheet AREA is passed over, in the order it is judged.
enum class SubSheetAreaFault { kUnreadable, kNotSubSheetSize, kNumberOutOfRange };

// What the walk of a sheet meets, told in file order. The walk reads the
// areas and the picture's headers and notes where each sub-sheet's data
// chunks lie; what to keep, read further or say of it is the visitor's.
class SheetWalkVisitor {
public:
    virtual ~SheetWalkVisitor() = default;

    // The sheet AREA as read; one that is no 1/2500 sheet gives its sub-sheets zone 0.
    virtual void SheetAreaRead(const SheetArea& area) = 0;
    // A sheet AREA whose body cannot be read whole; its sub-sheets get zone 0.
    virtual void SheetAreaUnreadable() {}
    // A NAME chunk, its body left to the visitor to read.
    virtual void NameChunk(ByteSource& /*sheet*/, const WalkedChunk& /*chunk*/) {}
    // An IDXB chunk that holds no bitmap the view can draw: passed over by its body size.
    virtual void ImageRefused() {}
    // A bitmap that can be drawn. The walk goes on right after it when the
    // visitor takes it, and past the chunk's body when it does not.
    virtual bool ImageTaken(ByteSource& /*sheet*/, const SheetImageLayout& /*image*/) {
        return true;
    }
    virtual void SubSheetAreaRefused(SubSheetAreaFault /*fault*/) {}
    // An accepted sub-sheet AREA with the zone of the sheet: the visitor gives
    // the record it goes to (see RecordSubSheetArea), where the positions of
    // the data chunks that follow it are noted, up to the next accepted one.
    virtual SubSheetRecord& SubSheetAccepted(const SubSheetArea& area, int zone) = 0;
};

// The sub-sheet's zone and area, as its record holds them.
void RecordSubSheetArea(const SubSheetArea& area, int zone, SubSheetRecord& record);

// Walks the sheet's chunks from its start, telling the visitor what it meets.
// Data chunks before the first accepted sub-sheet belong to none and are passed over.
void WalkSheet(ByteSource& sheet, SheetWalkVisitor& visitor);
// The same walk, which ends before the next chunk once stop is set: a load
// on another thread is cancelled so.
void WalkSheet(ByteSource& sheet, SheetWalkVisitor& visitor, const std::atomic<bool>& stop);

}  // namespace vesk
