#include "geo/ProjContext.h"

#include <utility>

namespace vesk::geo {
namespace {

void KeepErrorMessage(void* lastMessage, int level, const char* message) {
    if (level == PJ_LOG_ERROR && message != nullptr) {
        *static_cast<std::string*>(lastMessage) = message;
    }
}

}  // namespace

ProjContext::ProjContext()
    : lastMessage_(std::make_unique<std::string>()), context_(proj_context_create()) {
    if (context_) {
        proj_log_level(context_.get(), PJ_LOG_ERROR);
        proj_log_func(context_.get(), lastMessage_.get(), KeepErrorMessage);
    }
}

std::string ProjContext::TakeError(int errorCode) {
    if (!context_) {
        return "PROJ could not create a context";
    }
    std::string message = std::exchange(*lastMessage_, {});
    if (message.empty()) {
        const char* text = proj_context_errno_string(context_.get(), errorCode);
        message = text != nullptr ? text : "PROJ failed without a message";
    }
    return message;
}

}  // namespace vesk::geo
