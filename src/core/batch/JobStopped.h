#pragma once

#include "platform/Diagnostic.h"

namespace vesk {

// The diagnostic of a job (a sheet's, a block's, the whole batch's) that an
// exception ended: the exception's own text, for the report of that job
// alone. Only for use inside a catch block.
Diagnostic JobStopped();

}  // namespace vesk
