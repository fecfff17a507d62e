#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>

namespace vesk::fuzz {

// This process's own folder under the system's temporary folder, removed at
// exit. The readers under test take paths, so each input is written to a
// file in a fresh subfolder of it.
class ScratchFolder {
public:
    static ScratchFolder& Process();

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::filesystem::path& Root() const { return root_; }
    // The subfolder `name`, emptied (or made) now.
    std::filesystem::path Fresh(std::string_view name) const;

private:
    ScratchFolder();
    std::filesystem::path root_;
};

void WriteBytes(const std::filesystem::path& path, std::span<const std::byte> bytes);
void WriteText(const std::filesystem::path& path, std::string_view text);

}  // namespace vesk::fuzz
