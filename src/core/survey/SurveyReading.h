#pragma once

#include <cstddef>
#include <filesystem>

#include "sheet/ByteSource.h"
#include "survey/SurveyEntry.h"

namespace vesk {

// Reads the leading level-1 chunks of one sheet file and appends an entry to
// the list for every sheet AREA among them, with the given path (the last
// entry takes it over); a NAME names the entry appended last from this file. Reading ends at the
// first header that is not of level 1 or cannot be read whole. Gives the number of entries
// appended.
//
// Bounds: an AREA whose body the file cuts short adds no entry, and a NAME
// that claims more bytes than the file holds names nothing (both end the
// reading, as the end of the file is reached).
std::size_t ReadSurveyEntries(ByteSource& source, std::filesystem::path path, SurveyList& list);

// The same for the file at path; a file that cannot be opened (a folder, say)
// appends nothing.
std::size_t ReadSurveyEntriesOfFile(std::filesystem::path path, SurveyList& list);

}  // namespace vesk
