#include "sheet/ByteSourceWindow.h"

#include <algorithm>

namespace vesk {

ByteSourceWindow::ByteSourceWindow(ByteSource& source, std::uint64_t offset, std::uint64_t size)
    : source_(source), offset_(std::min(offset, source.Size())) {
    size_ = std::min(size, source.Size() - offset_);
}

std::size_t ByteSourceWindow::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
    if (offset >= size_) {
        return 0;
    }
    const std::uint64_t count = std::min<std::uint64_t>(out.size(), size_ - offset);
    return source_.ReadAt(offset_ + offset, out.first(static_cast<std::size_t>(count)));
}

}  // namespace vesk
