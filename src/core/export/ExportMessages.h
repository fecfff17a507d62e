#pragma once

#include "platform/Diagnostic.h"

// What a block's 3D export left out and why. No message box of the program
// shows these: the command line and the batch reports tell them in English.
namespace vesk::export_messages {

using enum Severity;

// the texture could not be encoded; the value is the format, "PNG" or "JPEG"
inline constexpr DiagnosticKind kTextureNotEncoded{
    5001, kError, "texture left out: it could not be encoded as %s", {}};
// a mesh could not be added to the glTF (Draco gave up on it); the value says why
inline constexpr DiagnosticKind kBuildingsMeshLeftOut{5002, kError, "buildings left out: %s", {}};
inline constexpr DiagnosticKind kTerrainMeshLeftOut{5003, kError, "terrain left out: %s", {}};

}  // namespace vesk::export_messages
