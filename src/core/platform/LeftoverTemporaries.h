#pragma once

#include <filesystem>
#include <string_view>

namespace vesk {

// Whether a file name is that of an output's temporary file (AtomicOutputFile's).
bool IsTemporaryName(std::string_view name);

// Removes the temporary files that a run ended without its handlers (SIGKILL,
// a power cut) left in the folder, not in the folders below it. Only for a
// folder no other run is writing to at the same time.
void RemoveLeftoverTemporaries(const std::filesystem::path& folder);

}  // namespace vesk
