#pragma once

namespace vesk::gui {

// Whether the sheet picture shows what each block holds and how its check
// went; on unless the user switched it off, remembered from run to run.
bool DataStatusShown();
void RememberDataStatusShown(bool shown);

}  // namespace vesk::gui
