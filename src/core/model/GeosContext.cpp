#include "model/GeosContext.h"

namespace vesk {

GeosContext::GeosContext() : handle_(GEOS_init_r()) {}

GeosContext::~GeosContext() {
    GEOS_finish_r(handle_);
}

}  // namespace vesk
