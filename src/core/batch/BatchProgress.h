#pragma once

#include <atomic>
#include <cstdint>

namespace vesk {

// How far a batch has come; written by its jobs, read by whoever shows it
// (any thread, at any time).
struct ProgressCounts {
    std::size_t sheetsTotal = 0;
    std::size_t sheetsDone = 0;
    std::size_t blocksDone = 0;
    std::size_t blocksFailed = 0;
    std::uint64_t bytesWritten = 0;
};

class BatchProgress {
public:
    void Start(std::size_t sheets) { sheetsTotal_.store(sheets); }
    void SheetDone() { sheetsDone_.fetch_add(1); }
    void BlockDone(bool failed, std::uint64_t bytes) {
        blocksDone_.fetch_add(1);
        blocksFailed_.fetch_add(failed ? 1 : 0);
        bytesWritten_.fetch_add(bytes);
    }

    ProgressCounts Snapshot() const {
        return {sheetsTotal_.load(), sheetsDone_.load(), blocksDone_.load(), blocksFailed_.load(),
                bytesWritten_.load()};
    }

private:
    std::atomic<std::size_t> sheetsTotal_{0};
    std::atomic<std::size_t> sheetsDone_{0};
    std::atomic<std::size_t> blocksDone_{0};
    std::atomic<std::size_t> blocksFailed_{0};
    std::atomic<std::uint64_t> bytesWritten_{0};
};

}  // namespace vesk
