#pragma once

#include <optional>
#include <string>

namespace vesk::geo {

// Why PROJ can place nothing at all: its database of coordinate systems
// (proj.db) cannot be found or read, with PROJ's reason and what to install;
// nothing when it can be used. Asked once before work that needs PROJ, so
// that its absence is one message instead of one per block.
std::optional<std::string> WhyProjDatabaseUnusable();

}  // namespace vesk::geo
