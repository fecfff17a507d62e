#include "ConvertTestSupport.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>

namespace vesk::test {

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string CrLfLines(std::initializer_list<std::string_view> lines, bool lastEnds) {
    std::string text;
    std::size_t left = lines.size();
    for (std::string_view line : lines) {
        text += line;
        if (--left > 0 || lastEnds) {
            text += "\r\n";
        }
    }
    return text;
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    struct rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
}

}  // namespace vesk::test
