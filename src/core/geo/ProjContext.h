#pragma once

#include <proj.h>

#include <memory>
#include <string>

namespace vesk::geo {

struct ProjObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};

// A PROJ object (a coordinate reference system or a transformation). It must
// be destroyed before the context it was made in, and used on that context's thread.
using ProjObject = std::unique_ptr<PJ, ProjObjectDeleter>;

// One PROJ context, for use on one thread only. PROJ's error messages are kept
// here for the caller to show instead of being printed to standard error.
class ProjContext {
public:
    ProjContext();

    PJ_CONTEXT* Get() const { return context_.get(); }

    // PROJ's message for the failure that set errorCode, or the code's text
    // when PROJ logged nothing; the logged message is used up.
    std::string TakeError(int errorCode);

private:
    struct ContextDeleter {
        void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
    };

    // On the heap, so that the address PROJ's logger writes to survives a move.
    std::unique_ptr<std::string> lastMessage_;
    std::unique_ptr<PJ_CONTEXT, ContextDeleter> context_;
};

}  // namespace vesk::geo
