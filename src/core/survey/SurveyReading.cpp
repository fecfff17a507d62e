#include "survey/SurveyReading.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

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
    SurveyFileReading(ByteSource& source, std::filesystem::path path, SurveyList& list)
        : reader_(source), path_(std::move(path)), list_(list) {}

    std::size_t Run() && {
        const std::size_t before = list_.size();
        while (const auto header = NextLevelOneHeader()) {
            if (Read(*header) == Step::Stop) {
                break;
            }
        }
        GivePath(before);
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
        list_.push_back(SurveyEntry{DecodeSheetArea(body), std::string(), {}});
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

    // A file mostly gives one entry, which takes the path over instead of a copy.
    void GivePath(std::size_t first) {
        for (std::size_t k = first; k + 1 < list_.size(); ++k) {
            list_[k].path = path_;
        }
        if (list_.size() > first) {
            list_.back().path = std::move(path_);
        }
    }

    ByteReader reader_;
    std::filesystem::path path_;
    SurveyList& list_;
    // Index of this file's last entry; none before its first AREA.
    std::optional<std::size_t> current_;
};

}  // namespace

std::size_t ReadSurveyEntries(ByteSource& source, std::filesystem::path path, SurveyList& list) {
    return SurveyFileReading(source, std::move(path), list).Run();
}

std::size_t ReadSurveyEntriesOfFile(std::filesystem::path path, SurveyList& list) {
    auto source = SheetHeadSource::Open(path);
    if (!source) {
        return 0;
    }
    return ReadSurveyEntries(*source, std::move(path), list);
}

}  // namespace vesk
