#include "model/GeosContext.h"

namespace vesk {
namespace {

void KeepMessage(const char* message, void* kept) {
    if (message != nullptr) {
        *static_cast<std::string*>(kept) = message;
    }
}

}  // namespace

GeosContext::GeosContext()
    : error_(std::make_unique<std::string>()),
      notice_(std::make_unique<std::string>()),
      handle_(GEOS_init_r()) {
    GEOSContext_setErrorMessageHandler_r(handle_, KeepMessage, error_.get());
    GEOSContext_setNoticeMessageHandler_r(handle_, KeepMessage, notice_.get());
}

GeosContext::~GeosContext() {
    GEOS_finish_r(handle_);
}

std::string GeosContext::TakeMessage() const {
    std::string message = !error_->empty()    ? *error_
                          : !notice_->empty() ? *notice_
                                              : std::string("GEOS gave no reason");
    error_->clear();
    notice_->clear();
    return message;
}

}  // namespace vesk
