// Reads the input as the simulator environment file that KSIM_ENV names.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "FuzzUi.h"
#include "Oracle.h"
#include "ScratchFolder.h"
#include "convert/SimulatorEnvironment.h"

namespace vesk::fuzz {
namespace {

// A value ends at ";" or with its line, and a NUL ends the line it is on.
void CheckFolder(const std::filesystem::path& folder) {
    const std::string text = folder.string();
    Require(text.find_first_of(std::string_view("\n\0", 2)) == std::string::npos,
            "an environment folder holds no line end and no NUL", text);
}

void CheckReading(const std::optional<SimulatorFolders>& folders, const FuzzUi& ui,
                  std::string_view input) {
    if (!folders) {
        Require(ui.messages.empty(), "an unusable environment file shows no notice");
        return;
    }
    Require(input.find("HOME_PATH") != std::string_view::npos,
            "folders come only from a file that sets a home folder");
    Require(ui.messages.size() <= 2, "at most the two default-folder notices are shown");
    Require(!ui.ShowedError(), "reading an environment file shows notices, never errors");
    CheckFolder(folders->geometry);
    CheckFolder(folders->texture);
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    using namespace vesk::fuzz;
    const auto bytes = std::as_bytes(std::span(data, size));
    const std::filesystem::path file = ScratchFolder::Process().Fresh("input") / "ksim.env";
    WriteBytes(file, bytes);
    FuzzUi ui;
    const std::string ksimEnv = file.string();
    const auto folders = ReadSimulatorEnvironment(ksimEnv, ui);
    CheckReading(folders, ui, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
