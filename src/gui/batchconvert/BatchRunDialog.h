#pragma once

#include <QString>
#include <string>
#include <vector>

#include "batch/BatchRun.h"

class QWidget;

namespace vesk::gui {

// Shows a run's progress over the blocks named, in the order they are
// written, in a progress dialog modal to `window` until the run has ended,
// keeping the event loop going; its ｷｬﾝｾﾙ lets the block being written finish
// and starts no other.
void FollowBatchRun(BatchRun& run, const std::vector<std::string>& names, const QString& title,
                    QWidget* window);

}  // namespace vesk::gui
