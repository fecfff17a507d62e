#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace vesk::sample {

// Where a sheet file goes as it is made: memory, or a file written piece by
// piece so that a large sheet never has to be held whole.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Put(std::span<const std::byte> bytes) = 0;
};

class VectorSink : public ByteSink {
public:
    explicit VectorSink(std::size_t expectedSize) { bytes_.reserve(expectedSize); }
    void Put(std::span<const std::byte> bytes) override {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::byte> Take() { return std::move(bytes_); }

private:
    std::vector<std::byte> bytes_;
};

}  // namespace vesk::sample
