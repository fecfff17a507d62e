#include "platform/TemporaryFiles.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace vesk {
namespace {

// Plain C strings in lock-free slots: the signal handler may read them at any
// moment, so it must not take a lock or touch the heap.
std::array<std::atomic<char*>, kMaxTemporaryFiles> gSlots{};

void RemovePath(const char* path) {
#if defined(_WIN32)
    std::remove(path);
#else
    ::unlink(path);
#endif
}

extern "C" void RemoveAndReraise(int signal) {
    RemoveRegisteredTemporaryFiles();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

TemporaryFileSlot::TemporaryFileSlot(const std::filesystem::path& path) {
    const std::string text = path.string();
    path_ = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(path_.get(), text.c_str(), text.size() + 1);
    for (int i = 0; i < kMaxTemporaryFiles; ++i) {
        char* expected = nullptr;
        if (gSlots[static_cast<std::size_t>(i)].compare_exchange_strong(expected, path_.get())) {
            index_ = i;
            return;
        }
    }
}

TemporaryFileSlot::~TemporaryFileSlot() {
    if (index_ >= 0) {
        gSlots[static_cast<std::size_t>(index_)].store(nullptr);
    }
}

void RemoveRegisteredTemporaryFiles() {
    for (auto& slot : gSlots) {
        if (const char* path = slot.load()) {
            RemovePath(path);
        }
    }
}

void RemoveTemporaryFilesOnTermination() {
    std::signal(SIGINT, RemoveAndReraise);
    std::signal(SIGTERM, RemoveAndReraise);
#if defined(SIGHUP)
    std::signal(SIGHUP, RemoveAndReraise);
#endif
}

}  // namespace vesk
