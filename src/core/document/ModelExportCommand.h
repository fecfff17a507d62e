#pragma once

namespace vesk {

class CMyVeskDoc;

// The document's 3D model export: asks for the format and the choices, then
// for a folder, and writes the selected block's model there (glTF binary,
// glTF with its .bin and .png, or OBJ with its .mtl and .png). Says what was
// written, with the counts, or which file could not be written. Does nothing
// when no block of a loaded sheet is selected. True when every file was written.
bool RunModelExportCommand(CMyVeskDoc& doc);

}  // namespace vesk
