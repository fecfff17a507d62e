#include "geo/ProjDatabase.h"

#include <string_view>

#include "geo/ProjContext.h"

namespace vesk::geo {
namespace {

// PROJ names the function it failed in, which says nothing to a user.
std::string WithoutFunctionName(std::string message) {
    constexpr std::string_view kFunction = "proj_context_get_database_path: ";
    if (message.starts_with(kFunction)) {
        message.erase(0, kFunction.size());
    }
    return message;
}

}  // namespace

std::optional<std::string> WhyProjDatabaseUnusable() {
    ProjContext context;
    if (context.Get() == nullptr) {
        return context.TakeError(0);
    }
    if (proj_context_get_database_path(context.Get()) != nullptr) {
        return std::nullopt;
    }
    return "PROJ's database of coordinate systems cannot be used (" +
           WithoutFunctionName(context.TakeError(proj_context_errno(context.Get()))) +
           "): install the Debian package proj-data, or set PROJ_DATA to the folder that holds "
           "proj.db";
}

}  // namespace vesk::geo
