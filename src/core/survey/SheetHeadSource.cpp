#include "survey/SheetHeadSource.h"

#include <algorithm>
#include <cstring>

namespace vesk {

std::optional<SheetHeadSource> SheetHeadSource::Open(const std::filesystem::path& path) {
    auto file = ReadOnlyFile::Open(path);
    if (!file) {
        return std::nullopt;
    }
    SheetHeadSource source(std::move(*file));
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(kHeadBytes, source.Size()));
    source.headBytes_ = source.file_.ReadAt(0, std::span(source.head_).first(wanted));
    return source;
}

std::size_t SheetHeadSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
    if (out.empty()) {
        return 0;
    }
    if (offset < headBytes_ && out.size() <= headBytes_ - offset) {
        std::memcpy(out.data(), head_.data() + offset, out.size());
        return out.size();
    }
    return file_.ReadAt(offset, out);
}

}  // namespace vesk
