#include "survey/SurveyJson.h"

#include "text/ShiftJis.h"

namespace vesk {

JsonValue SheetAreaJson(const SheetArea& area) {
    return {{"scale", area.scale}, {"zone", area.zone},   {"x", area.originX},
            {"y", area.originY},   {"width", area.width}, {"height", area.height}};
}

JsonValue SurveyEntryJson(const SurveyEntry& entry) {
    JsonValue members = SheetAreaJson(entry.area);
    members["name"] = ShiftJisToUtf8(entry.name);
    members["path"] = entry.path.string();
    return members;
}

}  // namespace vesk
