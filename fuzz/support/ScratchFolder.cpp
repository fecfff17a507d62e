#include "ScratchFolder.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include "Oracle.h"

namespace vesk::fuzz {

ScratchFolder& ScratchFolder::Process() {
    static ScratchFolder folder;
    return folder;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        Fail("the harness can make its scratch folder", pattern);
    }
    root_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path ScratchFolder::Fresh(std::string_view name) const {
    const std::filesystem::path folder = root_ / name;
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    std::filesystem::create_directories(folder, error);
    Require(!error, "the harness can empty its scratch folder", folder.string());
    return folder;
}

void WriteBytes(const std::filesystem::path& path, std::span<const std::byte> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out), "the harness can write its input file", path.string());
}

void WriteText(const std::filesystem::path& path, std::string_view text) {
    WriteBytes(path, std::as_bytes(std::span(text.data(), text.size())));
}

}  // namespace vesk::fuzz
