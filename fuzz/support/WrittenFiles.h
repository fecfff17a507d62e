#pragma once

#include <filesystem>
#include <vector>

namespace vesk::fuzz {

// Fails when the folder holds anything but the files named: a temporary the
// atomic writer left, or a file written where none was reported.
void RequireOnlyFiles(const std::filesystem::path& folder,
                      const std::vector<std::filesystem::path>& files);

// Fails when a glTF binary does not parse back.
void RequireGlbParses(const std::filesystem::path& glb);

// Fails when a glTF binary does not parse back or one of its buildings does
// not enclose a volume: the area vectors of a closed surface's triangles sum
// to zero, whatever T-junctions or slivers it has.
void RequireClosedBuildings(const std::filesystem::path& glb);

}  // namespace vesk::fuzz
