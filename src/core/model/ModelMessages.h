#pragma once

#include "model/BlockModel.h"
#include "platform/Diagnostic.h"

// What the 3D model of a block left out and why. No message box of the program
// shows these: the command line, the batch reports and the preview's status
// line tell them in English.
namespace vesk::model_messages {

using enum Severity;

// the grid chunk cannot be read whole
inline constexpr DiagnosticKind kTerrainChunkBroken{
    4001, kError, "terrain left out: its grid chunk is truncated or inconsistent", {}};
// the grid read whole makes no mesh; the value says why
inline constexpr DiagnosticKind kTerrainGridUnusable{4002, kError, "terrain left out: %s", {}};
// the image chunk cannot be read whole
inline constexpr DiagnosticKind kTextureChunkMissing{
    4003, kError, "texture left out: its image chunk is missing or truncated", {}};
// the image states no pixels or too many; the value is the fault as the data check words it
inline constexpr DiagnosticKind kTextureSizeOutOfRange{4004, kError, "texture left out: %s", {}};
// the image cannot be decoded; the value is the fault as the data check words it
inline constexpr DiagnosticKind kTextureNotDecodable{4005, kError, "texture left out: %s", {}};
// a building with a fault the data check also finds: its number, the check's
// code, where the fault lies in the zone's plane coordinates, and the fault
inline constexpr DiagnosticKind kBuildingLeftOut{
    4006, kError, "building %d left out (error %d) at X,Y = %s,%s: %s", {}};
// a building with a fault only the model meets: its number, where, and the fault
inline constexpr DiagnosticKind kBuildingNotBuilt{
    4007, kError, "building %d left out at X,Y = %s,%s: %s", {}};
// a block the model cannot be built for: the check's code and its text
inline constexpr DiagnosticKind kBlockLeftOut{4008, kError, "left out (error %d): %s", {}};

// "building 3 left out (error 104) at X,Y = -6690.0,-35890.0: the footprint
// crosses or touches itself", as the check words the same fault, the building
// numbered as people read it.
Diagnostic BuildingLeftOut(const LeftOutBuilding& building);

// "left out (error 1309): the block's origin is NaN or infinite", as the
// check words it.
Diagnostic BlockOriginNotFinite();

}  // namespace vesk::model_messages
