#pragma once

#include "platform/Diagnostic.h"

// What the tiles tell of a sheet or a block they did not write. No message box
// of the program shows these: the command line and the batch report tell them
// in English.
namespace vesk::tiles_messages {

using enum Severity;

// the value is the zone number the sheet or block states
inline constexpr DiagnosticKind kNoGeoreference{
    7001, kWarning, "zone %d has no georeference (the plane rectangular zones are 1 to 19)", {}};
inline constexpr DiagnosticKind kNothingToShow{
    7002, kNotice, "nothing to show: no buildings and no terrain", {}};
// the value is why the block could not be placed on the Earth
inline constexpr DiagnosticKind kBlockNotPlaced{7003, kError, "%s", {}};
// the values are the file's name and why it was not written, as its writer words it
inline constexpr DiagnosticKind kFileNotWritten{7004, kError, "%s %s", {}};
inline constexpr DiagnosticKind kSheetHoldsNoBlock{7005, kError, "the sheet holds no block", {}};
// the values are the sheet's folder and the system's reason
inline constexpr DiagnosticKind kFolderNotCreated{7006, kError, "%s cannot be created: %s", {}};
// the sheet loaded but its file cannot be read again for its blocks
inline constexpr DiagnosticKind kSheetNotOpenedAgain{
    7007, kError, "the sheet could not be opened again", {}};
// the value is why the geoid's grid cannot be used
inline constexpr DiagnosticKind kGeoidUnusable{7008, kError, "%s", {}};
inline constexpr DiagnosticKind kCancelled{
    7009, kError, "cancelled: the sheet's tileset was not written", {}};
// the value is the earlier sheet of the collection that has the same folder
inline constexpr DiagnosticKind kFolderTaken{
    7010, kError, "conflict: %s comes first with the same file name", {}};
// the values are the light model's file name and why it could not be placed
inline constexpr DiagnosticKind kLightModelNotPlaced{7011, kError, "%s: %s", {}};

}  // namespace vesk::tiles_messages
