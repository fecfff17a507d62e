#include "check/SgiLayoutCheck.h"

#include <cstddef>
#include <span>
#include <variant>
#include <vector>

#include "sheet/ByteReader.h"
#include "sheet/SgiLayout.h"

namespace vesk {
namespace {

// Walks a packed row's runs as the decoder expands them, without writing a
// sample: a run may not reach past the row or past the packed bytes, a count
// of 0 ends the row early, and the runs must fill the width exactly.
bool RunsFillRow(std::span<const std::byte> packed, std::size_t width) {
    std::size_t in = 0;
    std::size_t filled = 0;
    while (in < packed.size()) {
        const auto control = std::to_integer<std::uint8_t>(packed[in++]);
        const std::size_t count = control & 0x7F;
        if (count == 0) {
            break;
        }
        // A literal run carries its samples, a repeated one a single sample.
        const std::size_t carried = (control & 0x80) != 0 ? count : 1;
        if (count > width - filled || carried > packed.size() - in) {
            return false;
        }
        in += carried;
        filled += count;
    }
    return filled == width;
}

class RowRunsCheck {
public:
    RowRunsCheck(ByteSource& image, const SgiHeader& header) : reader_(image), header_(header) {}

    std::string Run(const SgiRowTable& table) {
        for (std::size_t k = 0; k < table.starts.size(); ++k) {
            if (!ReadPackedRow(table.starts[k], table.lengths[k]) ||
                !RunsFillRow(packed_, header_.width)) {
                return "row " + std::to_string(k % header_.height) + " of channel " +
                       std::to_string(k / header_.height) + " is damaged";
            }
        }
        return {};
    }

private:
    bool ReadPackedRow(std::uint32_t start, std::uint32_t length) {
        reader_.Seek(start);
        if (length > reader_.Remaining()) {
            return false;
        }
        packed_.resize(length);
        return reader_.Read(packed_);
    }

    ByteReader reader_;
    const SgiHeader& header_;
    std::vector<std::byte> packed_;
};

}  // namespace

std::string SgiLayoutFault(ByteSource& image) {
    const auto read = ReadSgiHeader(image);
    if (const auto* fault = std::get_if<std::string>(&read)) {
        return *fault;
    }
    const SgiHeader& header = std::get<SgiHeader>(read);
    if (!SgiBytesHoldSamples(header, image.Size())) {
        return "it claims more pixels than its bytes hold";
    }
    // Verbatim samples that the bytes hold always decode.
    if (!header.runLength) {
        return {};
    }
    const auto table = ReadSgiRowTable(image, header);
    if (!table) {
        return "its row tables run past the end of the file";
    }
    return RowRunsCheck(image, header).Run(*table);
}

}  // namespace vesk
