#include "findings/DataStatusSetting.h"

#include <QSettings>

namespace vesk::gui {
namespace {

const char* const kKey = "Settings/DataStatus";

}  // namespace

bool DataStatusShown() {
    return QSettings().value(QLatin1String(kKey), true).toBool();
}

void RememberDataStatusShown(bool shown) {
    QSettings().setValue(QLatin1String(kKey), shown);
}

}  // namespace vesk::gui
