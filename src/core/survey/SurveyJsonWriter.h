#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "survey/SurveyEntry.h"

namespace vesk {

// Writes the survey as the JSON document of `vesk-cli survey --json`: the
// folder, the messages the survey showed, one entry a line ({"scale": ...,
// "name": "...", "path": "..."}, as SurveyEntryJson has them) and the zones
// present. The text goes out in blocks as it is made, so that a folder of many
// sheets never stands whole in memory as a document or a text. Whether every
// byte reached out is the stream's error state to tell.
void WriteSurveyJson(std::FILE* out, std::string_view folder, std::span<const std::string> messages,
                     const SurveyList& entries);

}  // namespace vesk
