#include "sheet/SgiRows.h"

#include <algorithm>
#include <vector>

#include "sheet/ByteReader.h"

namespace vesk {
namespace {

std::string RowDamaged(const SgiHeader& header, std::uint64_t row) {
    return "row " + std::to_string(row % header.height) + " of channel " +
           std::to_string(row / header.height) + " is damaged";
}

// Expands the runs into the row; false when a run reaches past the row or the
// packed bytes, or the runs end before the row is full or do not end after it.
bool ExpandRuns(std::span<const std::byte> packed, std::span<std::byte> row) {
    std::size_t in = 0;
    std::size_t out = 0;
    while (in < packed.size()) {
        const auto control = std::to_integer<std::uint8_t>(packed[in++]);
        const std::size_t count = control & 0x7F;
        if (count == 0) {
            break;
        }
        // A literal run carries its samples, a repeated one a single sample.
        const std::size_t carried = (control & 0x80) != 0 ? count : 1;
        if (count > row.size() - out || carried > packed.size() - in) {
            return false;
        }
        if (carried == count) {
            std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(in), count,
                        row.begin() + static_cast<std::ptrdiff_t>(out));
        } else {
            std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(out), count, packed[in]);
        }
        in += carried;
        out += count;
    }
    return out == row.size();
}

class RowReader {
public:
    RowReader(ByteSource& file, const SgiHeader& header, const SgiRowSink& take)
        : reader_(file, kSgiHeaderBytes), header_(header), take_(take), row_(header.width) {}

    std::string ReadVerbatim() {
        for (std::uint64_t k = 0; k < header_.Rows(); ++k) {
            if (!reader_.Read(row_)) {
                return "its pixels run past the end of the file";
            }
            take_(k, row_);
        }
        return {};
    }

    std::string ReadRunLength(ByteSource& file) {
        const auto table = ReadSgiRowTable(file, header_);
        if (!table) {
            return "its row tables run past the end of the file";
        }
        for (std::uint64_t k = 0; k < header_.Rows(); ++k) {
            if (!ReadPacked(table->starts[k], table->lengths[k]) || !ExpandRuns(packed_, row_)) {
                return RowDamaged(header_, k);
            }
            take_(k, row_);
        }
        return {};
    }

private:
    // As much of the row's stated bytes as its runs can use, and the byte that
    // must end them.
    bool ReadPacked(std::uint32_t start, std::uint32_t length) {
        reader_.Seek(start);
        if (length > reader_.Remaining()) {
            return false;
        }
        packed_.resize(std::min<std::size_t>(length, 2 * row_.size() + 1));
        return reader_.Read(packed_);
    }

    ByteReader reader_;
    const SgiHeader& header_;
    const SgiRowSink& take_;
    std::vector<std::byte> row_;
    std::vector<std::byte> packed_;
};

}  // namespace

std::string ReadSgiRows(ByteSource& file, const SgiHeader& header, const SgiRowSink& take) {
    RowReader rows(file, header, take);
    return header.runLength ? rows.ReadRunLength(file) : rows.ReadVerbatim();
}

}  // namespace vesk
