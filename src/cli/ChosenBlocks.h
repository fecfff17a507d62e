#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::cli {

// The sub-sheets (0 to 24) that `--block N` (or, without it, `--all`) names and
// the load accepted; nothing, after a message on stderr naming `command`, when
// there is none.
std::optional<std::vector<int>> ChosenBlocks(std::string_view command, std::optional<int> block,
                                             const CMyVeskDoc& doc);

}  // namespace vesk::cli
