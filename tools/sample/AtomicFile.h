#pragma once

#include <filesystem>
#include <string>

#include "ByteSink.h"
#include "platform/AtomicOutputFile.h"

namespace vesk::sample {

// A sample sheet appears whole or not at all: the bytes go through the
// program's own atomic output file, and a failure says what went wrong.
class AtomicFile : public ByteSink {
public:
    explicit AtomicFile(std::filesystem::path target) : file_(std::move(target)) {}

    bool Open(std::string& error);
    void Put(std::span<const std::byte> bytes) override;
    bool Commit(std::string& error);

private:
    AtomicOutputFile file_;
};

}  // namespace vesk::sample
