#include "model/ModelMessages.h"

#include <string>

#include "model/BuildingNumber.h"
#include "text/FixedText.h"

namespace vesk::model_messages {
namespace {

std::string Tenths(double value) {
    return FixedText(value, 1);
}

}  // namespace

Diagnostic BuildingLeftOut(const LeftOutBuilding& building) {
    const std::string number = std::to_string(ShownBuildingNumber(building.number));
    const std::string x = Tenths(building.x);
    const std::string y = Tenths(building.y);
    if (!building.code) {
        return MakeDiagnostic(kBuildingNotBuilt, {number, x, y, building.reason});
    }
    const std::string code = std::to_string(static_cast<int>(*building.code));
    return MakeDiagnostic(kBuildingLeftOut, {number, code, x, y, building.reason});
}

Diagnostic BlockOriginNotFinite() {
    const DataFault fault = DataFault::kBlockOriginNotFinite;
    return MakeDiagnostic(kBlockLeftOut,
                          {std::to_string(static_cast<int>(fault)), std::string(EnglishOf(fault))});
}

}  // namespace vesk::model_messages
