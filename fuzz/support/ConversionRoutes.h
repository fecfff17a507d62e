#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzUi.h"
#include "document/CMyVeskDoc.h"
#include "document/ConversionCommand.h"

namespace vesk::fuzz {

// What one run of the conversion command left: its outcome, the two output
// files as written (nothing when absent) and what it told the user.
struct RouteResult {
    ConversionOutcome outcome;
    std::optional<std::string> geometry;
    std::optional<std::string> texture;
    bool showedError = false;
    bool showedSaved = false;
};

// Both routes convert the selected sub-sheet with everything chosen, into
// fresh folders of the scratch folder; every file either route may leave is
// listed by ExpectedFiles.
RouteResult ConvertIntoChosenFolder(CMyVeskDoc& doc, FuzzUi& ui, std::string_view baseName);
RouteResult ConvertThroughEnvironment(CMyVeskDoc& doc, FuzzUi& ui, std::string_view baseName);

// Fails when the scratch folder holds a file other than the input, the
// environment file and the four outputs named after baseName: a temporary
// the atomic writer did not remove, or a file written to a wrong place.
void RequireNoOtherFiles(const std::filesystem::path& input, std::string_view baseName);

}  // namespace vesk::fuzz
