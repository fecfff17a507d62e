#include "findings/SheetCheckRunner.h"

#include <algorithm>

#include "check/CheckMessages.h"
#include "document/CMyVeskDoc.h"
#include "platform/ExceptionReason.h"
#include "platform/ParallelFor.h"

namespace vesk::gui {
namespace {

// One core is left to the window and the rest of the machine.
unsigned CheckThreads() {
    return std::max(CoreCount(), 2u) - 1;
}

}  // namespace

SheetCheckRunner::SheetCheckRunner(SheetChecker check, QObject* parent)
    : QObject(parent), check_(std::move(check)) {}

SheetCheckRunner::~SheetCheckRunner() {
    worker_.request_stop();
}

void SheetCheckRunner::Follow(const CMyVeskDoc& doc) {
    // Every load moves the image generation on; a sheet counts once it is
    // loaded, and only while it is shown rather than a survey map.
    const std::pair<std::uint64_t, bool> shown{doc.ImageGeneration(),
                                               doc.IsSheetLoaded() && doc.SurveyZone() == 0};
    if (shown == followed_) {
        return;
    }
    followed_ = shown;
    ++run_;
    worker_.request_stop();  // its result would be dropped anyway
    result_.reset();
    failure_.clear();
    running_ = false;
    if (shown.second) {
        Start(doc.SheetPath());
    }
    emit Changed();
}

void SheetCheckRunner::Start(const std::filesystem::path& path) {
    running_ = true;
    const std::uint64_t run = run_;
    // Assigning stops the previous check and waits for its current block.
    worker_ = std::jthread([this, path, run](std::stop_token stop) {
        std::shared_ptr<SheetCheck> shared;
        std::string failure;
        // The thread is the check's boundary: a fault ends this check, with
        // its reason, and leaves the program running.
        try {
            auto check = check_(path, {CheckThreads(), stop});
            // A file that could not be read again gives no result, but the run ends.
            shared = check ? std::make_shared<SheetCheck>(std::move(*check)) : nullptr;
        } catch (...) {
            failure =
                MakeDiagnostic(check_messages::kCheckStopped, {CurrentExceptionReason()}).Shown();
        }
        if (stop.stop_requested()) {
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, run, shared, failure] { Deliver(run, shared, failure); },
            Qt::QueuedConnection);
    });
}

void SheetCheckRunner::Deliver(std::uint64_t run, std::shared_ptr<SheetCheck> check,
                               std::string failure) {
    if (run != run_) {
        return;  // another sheet was opened meanwhile
    }
    running_ = false;
    result_ = std::move(check);
    failure_ = std::move(failure);
    emit Changed();
}

}  // namespace vesk::gui
