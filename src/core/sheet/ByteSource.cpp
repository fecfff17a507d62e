#include "sheet/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace vesk {

std::size_t MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
    if (offset >= bytes_.size()) {
        return 0;
    }
    const std::size_t available = bytes_.size() - static_cast<std::size_t>(offset);
    const std::size_t count = std::min(available, out.size());
    if (count > 0) {
        std::memcpy(out.data(), bytes_.data() + offset, count);
    }
    return count;
}

}  // namespace vesk
