#include "platform/ExceptionReason.h"

#include <exception>

namespace vesk {

std::string CurrentExceptionReason() {
    try {
        throw;
    } catch (const std::exception& exception) {
        return exception.what();
    } catch (...) {
        return "an exception of an unknown type";
    }
}

}  // namespace vesk
