#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "ByteSink.h"

namespace vesk::sample {

// A file that appears whole or not at all: bytes go to a new temporary file
// beside the target, and Commit renames it over the target. A writer that is
// not committed removes its temporary file, so a failure leaves nothing behind.
class AtomicFile : public ByteSink {
public:
    explicit AtomicFile(std::filesystem::path target) : target_(std::move(target)) {}
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Open(std::string& error);
    void Put(std::span<const std::byte> bytes) override;
    bool Commit(std::string& error);

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
    int failure_ = 0;  // errno of the first failed write
};

}  // namespace vesk::sample
