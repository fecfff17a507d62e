#pragma once

#include "platform/Diagnostic.h"

// What a block's 3D export left out and why: in Japanese in the program's
// export message, in English on the command line and in the batch reports.
namespace vesk::export_messages {

using enum Severity;

// the texture could not be encoded; the value is the format, "PNG" or "JPEG"
inline constexpr DiagnosticKind kTextureNotEncoded{
    5001, kError, "texture left out: it could not be encoded as %s",
    "%s形式に変換できないため、ﾃｸｽﾁｬを除外しました"};
// a mesh could not be added to the glTF (Draco gave up on it); the value is
// Draco's reason, which the program does not repeat
inline constexpr DiagnosticKind kBuildingsMeshLeftOut{5002, kError, "buildings left out: %s",
                                                      "形状を圧縮できないため、建物を除外しました"};
inline constexpr DiagnosticKind kTerrainMeshLeftOut{5003, kError, "terrain left out: %s",
                                                    "形状を圧縮できないため、地形を除外しました"};

}  // namespace vesk::export_messages
