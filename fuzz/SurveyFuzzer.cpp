// Reads the input as the folder survey reads one sheet file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "Oracle.h"
#include "ScratchFolder.h"
#include "Utf8.h"
#include "sheet/ByteSource.h"
#include "survey/SurveyReading.h"
#include "text/ShiftJis.h"

namespace vesk::fuzz {
namespace {

// The smallest sheet AREA chunk: a 12-byte header and its 24-byte body.
constexpr std::size_t kAreaChunkBytes = 36;

bool SameArea(const SheetArea& a, const SheetArea& b) {
    return a.scale == b.scale && a.zone == b.zone &&
           std::memcmp(&a.originX, &b.originX, sizeof(float)) == 0 &&
           std::memcmp(&a.originY, &b.originY, sizeof(float)) == 0 &&
           std::memcmp(&a.width, &b.width, sizeof(float)) == 0 &&
           std::memcmp(&a.height, &b.height, sizeof(float)) == 0;
}

bool SameEntries(const SurveyList& a, const SurveyList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const SurveyEntry& x, const SurveyEntry& y) {
                          return SameArea(x.area, y.area) && x.name == y.name && x.path == y.path;
                      });
}

void CheckEntry(const SurveyEntry& entry, const std::filesystem::path& file,
                std::string_view input) {
    Require(entry.path == file, "an entry names the file it was read from");
    Require(entry.name.find('\0') == std::string::npos, "a name ends at its first NUL");
    Require(input.find(entry.name) != std::string_view::npos, "a name is bytes the file holds",
            entry.name);
    const std::string shown = ShiftJisToUtf8(entry.name);
    if (!IsValidUtf8(shown)) {
        Fail("a name shown is valid UTF-8", Utf8Trouble(shown));
    }
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    using namespace vesk::fuzz;
    const auto bytes = std::as_bytes(std::span(data, size));
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path file = ScratchFolder::Process().Fresh("input") / "sheet.tqb";
    WriteBytes(file, bytes);

    SurveyList fromFile;
    const std::size_t count = ReadSurveyEntriesOfFile(file, fromFile);
    Require(count == fromFile.size(), "the count given is the number of entries appended");
    Require(count <= size / kAreaChunkBytes, "every entry is backed by a whole AREA chunk");
    for (const SurveyEntry& entry : fromFile) {
        CheckEntry(entry, file, input);
    }
    // The survey's head source serves the first bytes from one read, memory does not.
    SurveyList fromMemory;
    MemoryByteSource source(bytes);
    ReadSurveyEntries(source, file, fromMemory);
    Require(SameEntries(fromFile, fromMemory),
            "a file gives the same entries as its bytes in memory");
    return 0;
}
