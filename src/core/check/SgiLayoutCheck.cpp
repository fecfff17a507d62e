#include "check/SgiLayoutCheck.h"

#include <variant>

#include "sheet/SgiLayout.h"
#include "sheet/SgiRows.h"

namespace vesk {

std::string SgiLayoutFault(ByteSource& image) {
    const auto read = ReadSgiHeader(image);
    if (const auto* fault = std::get_if<std::string>(&read)) {
        return *fault;
    }
    const SgiHeader& header = std::get<SgiHeader>(read);
    // Verbatim samples that the bytes hold always decode.
    if (!header.runLength) {
        return {};
    }
    return ReadSgiRows(image, header, [](std::uint64_t, std::span<const std::byte>) {});
}

}  // namespace vesk
