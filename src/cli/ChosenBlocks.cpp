#include "ChosenBlocks.h"

#include <cstdio>

#include "document/CMyVeskDoc.h"

namespace vesk::cli {

std::optional<std::vector<int>> ChosenBlocks(std::string_view command, std::optional<int> block,
                                             const CMyVeskDoc& doc) {
    std::vector<int> numbers = doc.AcceptedSubSheets();
    if (block) {
        std::erase_if(numbers, [&](int number) { return number != *block - 1; });
    }
    if (!numbers.empty()) {
        return numbers;
    }
    const int length = static_cast<int>(command.size());
    if (block) {
        std::fprintf(stderr, "vesk-cli %.*s: block %d is not in the sheet\n", length,
                     command.data(), *block);
    } else {
        std::fprintf(stderr, "vesk-cli %.*s: the sheet holds no block to %.*s\n", length,
                     command.data(), length, command.data());
    }
    return std::nullopt;
}

}  // namespace vesk::cli
