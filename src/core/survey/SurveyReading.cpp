#include "survey/SurveyReading.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"
#include "survey/SheetHeadSource.h"

namespace vesk {
namespace {

// What reading one chunk did to the reading of the file.
enum class Step { GoOn, Stop };

// The reading of one file: where the next header is, and the entry a NAME names.
class SurveyFileReading {
public:
    SurveyFileReading(ByteSource& source, const std::filesystem::path& path, SurveyList& list)
        : reader_(source), path_(path), list_(list) {}

    std::size_t Run() {
        const std::size_t before = list_.size();
        while (const auto header = NextLevelOneHeader()) {
            if (Read(*header) == Step::Stop) {
                break;
            }
        }
        return list_.size() - before;
    }

private:
    std::optional<ChunkHeader> NextLevelOneHeader() {
        const auto header = ReadChunkHeader(reader_);
        if (!header || ChunkLevel(header->identifier) != 1) {
            return std::nullopt;
        }
        return header;
    }

    // The reader stands right after the header. Any chunk other than AREA and
    // NAME is not passed over: the next header is read from the byte after this one.
    Step Read(const ChunkHeader& header) {
        if (Matches(header, kSheetAreaChunk)) {
            return ReadArea();
        }
        if (Matches(header, kNameChunk)) {
            return ReadName(header.bodySize);
        }
        return Step::GoOn;
    }

    Step ReadArea() {
        std::array<std::byte, kSheetAreaSize> body{};
        if (!reader_.Read(body)) {
            return Step::Stop;
        }
        list_.push_back(SurveyEntry{DecodeSheetArea(body), std::string(), path_});
        current_ = list_.size() - 1;
        return Step::GoOn;
    }

    // A NAME of size 0 reads whole and gives an empty name.
    Step ReadName(std::uint32_t size) {
        if (size > reader_.Remaining()) {
            return Step::Stop;
        }
        std::string name(size, '\0');
        if (!reader_.Read(std::as_writable_bytes(std::span(name)))) {
            return Step::Stop;
        }
        if (current_) {
            name.resize(std::min(name.find('\0'), name.size()));
            list_[*current_].name = std::move(name);
        }
        return Step::GoOn;
    }

    ByteReader reader_;
    const std::filesystem::path& path_;
    SurveyList& list_;
    // Index of this file's last entry; none before its first AREA.
    std::optional<std::size_t> current_;
};

}  // namespace

std::size_t ReadSurveyEntries(ByteSource& source, const std::filesystem::path& path,
                              SurveyList& list) {
    return SurveyFileReading(source, path, list).Run();
}

std::size_t ReadSurveyEntriesOfFile(const std::filesystem::path& path, SurveyList& list) {
    auto source = SheetHeadSource::Open(path);
    if (!source) {
        return 0;
    }
    return ReadSurveyEntries(*source, path, list);
}

}  // namespace vesk
