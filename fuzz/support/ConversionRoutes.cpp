#include "ConversionRoutes.h"

#include <set>
#include <system_error>

#include "Oracle.h"
#include "ScratchFolder.h"
#include "platform/ReadOnlyFile.h"

namespace vesk::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kChosenFolder = "chosen";
constexpr std::string_view kHomeFolder = "sim";
constexpr std::string_view kEnvironmentFile = "ksim.env";

struct RouteFiles {
    fs::path geometry;
    fs::path texture;
};

RouteFiles ChosenFolderFiles(std::string_view baseName) {
    const fs::path folder = ScratchFolder::Process().Root() / kChosenFolder;
    return {folder / (std::string(baseName) + ".geo"), folder / (std::string(baseName) + ".sgi")};
}

RouteFiles EnvironmentFiles(std::string_view baseName) {
    const fs::path home = ScratchFolder::Process().Root() / kHomeFolder;
    return {home / "geo" / (std::string(baseName) + ".geo"),
            home / "tex" / "sgi" / (std::string(baseName) + ".sgi")};
}

RouteResult Run(CMyVeskDoc& doc, FuzzUi& ui, const EnvironmentLookup& environment,
                const RouteFiles& files, std::string_view baseName) {
    RouteResult result;
    ui.messages.clear();
    result.outcome = RunConversionCommand(doc, environment);
    Require(ui.waitDepth == 0, "the wait cursor ends with the conversion");
    result.geometry = ReadWholeFile(files.geometry);
    result.texture = ReadWholeFile(files.texture);
    result.showedError = ui.ShowedError();
    result.showedSaved = ui.ShowedMessageContaining("「" + std::string(baseName) + ".geo」");
    return result;
}

std::string EnvironmentText(const fs::path& home) {
    return "HOME_PATH=" + home.string() +
           ";\r\nFILE_PATH_GEOMETRY=geo;\r\nFILE_PATH_TEXTURE=tex;\r\n";
}

}  // namespace

RouteResult ConvertIntoChosenFolder(CMyVeskDoc& doc, FuzzUi& ui, std::string_view baseName) {
    ui.folder = ScratchFolder::Process().Fresh(kChosenFolder);
    ui.choices = {.buildings = true, .terrain = true, .texture = true, .ctrlHeld = true};
    const auto noEnvironment = [](const char* name) -> std::optional<std::string> {
        Fail("the chosen-folder route reads no environment", name);
    };
    return Run(doc, ui, noEnvironment, ChosenFolderFiles(baseName), baseName);
}

RouteResult ConvertThroughEnvironment(CMyVeskDoc& doc, FuzzUi& ui, std::string_view baseName) {
    const fs::path home = ScratchFolder::Process().Fresh(kHomeFolder);
    fs::create_directories(home / "geo");
    fs::create_directories(home / "tex" / "sgi");
    const fs::path environmentFile = home / kEnvironmentFile;
    WriteText(environmentFile, EnvironmentText(home));
    ui.choices = {.buildings = true, .terrain = true, .texture = true, .ctrlHeld = false};
    const auto environment = [&environmentFile](const char*) -> std::optional<std::string> {
        return environmentFile.string();
    };
    return Run(doc, ui, environment, EnvironmentFiles(baseName), baseName);
}

void RequireNoOtherFiles(const fs::path& input, std::string_view baseName) {
    const RouteFiles chosen = ChosenFolderFiles(baseName);
    const RouteFiles environment = EnvironmentFiles(baseName);
    const fs::path root = ScratchFolder::Process().Root();
    const std::set<fs::path> allowed = {input,
                                        root / kHomeFolder / kEnvironmentFile,
                                        chosen.geometry,
                                        chosen.texture,
                                        environment.geometry,
                                        environment.texture};
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_directory() || allowed.contains(entry.path())) {
            continue;
        }
        const bool temporary = entry.path().filename().string().ends_with(".tmp");
        Fail(temporary ? "no temporary file is left behind" : "no file is written to a wrong place",
             entry.path().string());
    }
}

}  // namespace vesk::fuzz
