#include "OutputChecks.h"

#include <cstdint>
#include <optional>
#include <string>

#include "Oracle.h"
#include "SheetBytes.h"

namespace vesk::fuzz {
namespace {

void CheckTexture(const std::optional<std::string>& texture, const SubSheetRecord& record,
                  std::span<const std::byte> sheet) {
    if (!record.hasOrtho) {
        Require(!texture, "no texture file for a sub-sheet without an ORTS chunk");
        return;
    }
    const auto body = WholeChunkBody(sheet, record.orthoPosition);
    if (!body) {
        Require(!texture, "no texture file from an ORTS chunk that the file cuts short");
        return;
    }
    Require(texture.has_value(), "a whole ORTS body gives a texture file");
    Require(*texture == *body, "the texture file is the ORTS body byte for byte");
}

// Statements end with ";" and a CR LF, the last one of the terrain section
// with ";" alone; anything else means a statement was cut or mangled.
void CheckWholeStatements(std::string_view geometry) {
    Require(geometry.find('\0') == std::string_view::npos, "the geometry file holds no NUL byte");
    std::size_t start = 0;
    for (std::size_t end = geometry.find("\r\n"); end != std::string_view::npos;
         start = end + 2, end = geometry.find("\r\n", start)) {
        const std::string_view line = geometry.substr(start, end - start);
        Require(line.ends_with(';'), "every geometry line is a whole statement", line);
        Require(line.find_first_of("\r\n") == std::string_view::npos,
                "geometry lines end with CR LF only", line);
    }
    const std::string_view last = geometry.substr(start);
    Require(last.empty() || (last.starts_with("GROUP_FACE(DEM") && last.ends_with(");")),
            "the geometry file ends with a line end or the terrain's face group", last);
}

void CheckGeometry(const RouteResult& result, const SubSheetRecord& record) {
    const bool anything = record.buildingCount > 0 || record.hasDem != 0;
    if (!anything) {
        Require(!result.geometry,
                "no geometry file when the sub-sheet has neither buildings nor DEM");
        Require(!result.showedSaved, "no completion message without a geometry file");
        return;
    }
    if (!result.geometry) {
        // Every chosen section was broken: the older file stays, the listing says why.
        Require(result.showedError, "buildings or a DEM give a geometry file or say why not");
        Require(!result.showedSaved, "no completion message without a geometry file");
        return;
    }
    Require(result.showedSaved, "the completion message names the geometry file written");
    CheckWholeStatements(*result.geometry);
}

}  // namespace

void CheckConversion(const RouteResult& result, const SubSheetRecord& record,
                     std::span<const std::byte> sheet) {
    Require(result.outcome.confirmed, "a conversion with its folders at hand is confirmed");
    Require(result.outcome.failed == result.showedError,
            "a conversion fails exactly when it shows an error message");
    CheckTexture(result.texture, record, sheet);
    CheckGeometry(result, record);
}

}  // namespace vesk::fuzz
