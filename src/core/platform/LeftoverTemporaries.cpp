#include "platform/LeftoverTemporaries.h"

#include <algorithm>
#include <system_error>

#include "platform/AtomicOutputFile.h"

namespace vesk {

bool IsTemporaryName(std::string_view name) {
    if (name.size() !=
            kTemporaryPrefix.size() + kTemporaryRandomLetters + kTemporarySuffix.size() ||
        !name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return false;
    }
    const std::string_view letters = name.substr(kTemporaryPrefix.size(), kTemporaryRandomLetters);
    return std::all_of(letters.begin(), letters.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

void RemoveLeftoverTemporaries(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (IsTemporaryName(entry->path().filename().string()) && entry->is_regular_file(ignored)) {
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

}  // namespace vesk
