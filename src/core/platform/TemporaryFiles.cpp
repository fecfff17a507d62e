#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#if !defined(_WIN32)
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace vesk {
namespace {

// Plain C strings in lock-free slots: the signal handler may read them at any
// moment, so it must not take a lock or touch the heap. The slots are made
// once, before a handler is installed, and never freed.
std::atomic<std::atomic<char*>*> gSlots{nullptr};
std::atomic<std::size_t> gSlotCount{0};

// Set by the first terminating signal: from then on no temporary is created,
// since the removal may already have passed its slot.
std::atomic<bool> gStopping{false};
// Temporaries between registration and creation; the handler waits for them.
std::atomic<int> gCreating{0};

constexpr std::size_t kFewestSlots = 64;
// A bound on the memory of an unlimited process: 8 MB of slots.
constexpr std::size_t kMostSlots = std::size_t{1} << 20;

std::size_t FilesThatCanBeOpen() {
#if defined(_WIN32)
    return 512;
#else
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return kMostSlots;
    }
    return static_cast<std::size_t>(limit.rlim_cur);
#endif
}

void MakeSlots() {
    static std::once_flag made;
    std::call_once(made, [] {
        const std::size_t count = std::clamp(FilesThatCanBeOpen(), kFewestSlots, kMostSlots);
        gSlots.store(new std::atomic<char*>[count] {});
        gSlotCount.store(count);
    });
}

void RemovePath(const char* path) {
#if defined(_WIN32)
    std::remove(path);
#else
    ::unlink(path);
#endif
}

extern "C" void RemoveAndReraise(int signal) {
    gStopping.store(true);
    // A creation on another thread takes as long as one open(); this thread
    // creates none meanwhile, since it holds the signals off while it does.
    while (gCreating.load() != 0) {
    }
    RemoveRegisteredTemporaryFiles();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

constexpr int kTerminatingSignals[] = {
    SIGINT,
    SIGTERM,
#if defined(SIGHUP)
    SIGHUP,
#endif
};

// Holds the terminating signals off this thread while it lives, so that their
// handler never runs in the middle of a creation it would wait for.
class SignalsHeldOff {
public:
    SignalsHeldOff() {
#if !defined(_WIN32)
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : kTerminatingSignals) {
            sigaddset(&held, signal);
        }
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
#endif
    }
    ~SignalsHeldOff() {
#if !defined(_WIN32)
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
#endif
    }
    SignalsHeldOff(const SignalsHeldOff&) = delete;
    SignalsHeldOff& operator=(const SignalsHeldOff&) = delete;

private:
#if !defined(_WIN32)
    sigset_t previous_{};
#endif
};

// Counts a creation for the handler to wait for; the count is checked against
// gStopping after it is raised, so that either the creation sees the signal
// or the handler sees the creation.
class Creation {
public:
    Creation() { gCreating.fetch_add(1); }
    ~Creation() { gCreating.fetch_sub(1); }
    Creation(const Creation&) = delete;
    Creation& operator=(const Creation&) = delete;
};

long TakeFreeSlot(char* path) {
    std::atomic<char*>* slots = gSlots.load();
    const std::size_t count = gSlotCount.load();
    for (std::size_t i = 0; i < count; ++i) {
        char* expected = nullptr;
        if (slots[i].compare_exchange_strong(expected, path)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

}  // namespace

int TemporaryFileSlot::Create(const std::filesystem::path& path,
                              const std::function<int()>& create) {
    Release();
    MakeSlots();
    const std::string text = path.string();
    path_ = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(path_.get(), text.c_str(), text.size() + 1);
    const SignalsHeldOff held;
    const Creation creation;
    if (gStopping.load()) {
        return EINTR;
    }
    index_ = TakeFreeSlot(path_.get());
    if (index_ < 0) {
        return EMFILE;
    }
    const int error = create();
    if (error != 0) {
        Release();
    }
    return error;
}

void TemporaryFileSlot::Release() {
    if (index_ >= 0) {
        gSlots.load()[index_].store(nullptr);
        index_ = -1;
        // A handler that already runs may still read the path: it stays
        // until the process ends.
        if (gStopping.load()) {
            static_cast<void>(path_.release());
        }
    }
    path_.reset();
}

void RemoveRegisteredTemporaryFiles() {
    std::atomic<char*>* slots = gSlots.load();
    const std::size_t count = gSlotCount.load();
    for (std::size_t i = 0; slots != nullptr && i < count; ++i) {
        if (const char* path = slots[i].load()) {
            RemovePath(path);
        }
    }
}

void RemoveTemporaryFilesOnTermination() {
    MakeSlots();
    for (const int signal : kTerminatingSignals) {
        std::signal(signal, RemoveAndReraise);
    }
#if defined(SIGXFSZ)
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace vesk
