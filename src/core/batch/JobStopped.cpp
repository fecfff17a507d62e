#include "batch/JobStopped.h"

#include "batch/BatchMessages.h"
#include "platform/ExceptionReason.h"

namespace vesk {

Diagnostic JobStopped() {
    return MakeDiagnostic(batch_messages::kJobStopped, {CurrentExceptionReason()});
}

}  // namespace vesk
