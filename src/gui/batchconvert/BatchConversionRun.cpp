#include "batchconvert/BatchConversionRun.h"

#include <QString>

#include "batch/BatchRun.h"
#include "batch/OpenSheetBatch.h"
#include "batchconvert/BatchRunDialog.h"
#include "batchconvert/OpenSheetBatchSummary.h"
#include "document/CMyVeskDoc.h"

namespace vesk::gui {

void RunBatchConversion(CMyVeskDoc& doc, QWidget* window) {
    const auto batch = PrepareOpenSheetBatch(doc, ProcessEnvironmentVariable);
    if (!batch) {
        return;
    }
    BatchRun run(
        [request = batch->request](BatchProgress& progress, const std::atomic<bool>& cancel) {
            return RunConversionBatch(request, progress, cancel);
        });
    FollowBatchRun(run, batch->names, QString::fromUtf8("全区画を変換"), window);
    const BatchResult result = run.Finish();
    const BatchSummary summary = result.Summary();
    const bool failed = summary.failed + summary.conflicts + summary.sheetsFailed > 0 ||
                        !result.diagnostics.empty();
    doc.Ui().ShowMessage(OpenSheetBatchSummary(result, batch->names.size()),
                         failed ? kErrorCaption : kNoticeCaption,
                         failed ? MessageIcon::Stop : MessageIcon::Information);
}

}  // namespace vesk::gui
