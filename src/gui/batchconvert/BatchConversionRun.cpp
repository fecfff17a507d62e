#include "batchconvert/BatchConversionRun.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <string>
#include <vector>

#include "batch/BatchRun.h"
#include "batch/OpenSheetBatch.h"
#include "batchconvert/OpenSheetBatchSummary.h"
#include "document/CMyVeskDoc.h"

namespace vesk::gui {
namespace {

constexpr int kPollMs = 50;

// "n / N 区画" and, while one is being written, the output name of that block:
// one job writes the blocks in turn, so it is the first one not yet done
// (after ｷｬﾝｾﾙ none may be started).
QString ProgressText(const std::vector<std::string>& names, std::size_t done, bool cancelled) {
    QString text = QString::fromUtf8("%1 / %2 区画").arg(done).arg(names.size());
    if (done < names.size() && !cancelled) {
        text += QLatin1Char('\n') + QString::fromStdString(names[done]);
    }
    return text;
}

void SetUpDialog(QProgressDialog& dialog, const std::vector<std::string>& names) {
    dialog.setWindowTitle(QString::fromUtf8("全区画を変換"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setCancelButtonText(QString::fromUtf8("ｷｬﾝｾﾙ"));
    dialog.setRange(0, static_cast<int>(names.size()));
    // It stays up until the thread has ended, cancelled or not.
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setLabelText(ProgressText(names, 0, false));
}

// Shows the run's progress until it has ended, keeping the event loop going.
void FollowRun(BatchRun& run, const std::vector<std::string>& names, QWidget* window) {
    QProgressDialog dialog(window);
    SetUpDialog(dialog, names);
    QEventLoop loop;
    // ｷｬﾝｾﾙ hides the dialog; it comes back without the button and keeps the
    // window blocked until the block being written is finished.
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&run, &dialog] {
        run.Cancel();
        dialog.setCancelButton(nullptr);
        dialog.show();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        const std::size_t done = run.Progress().blocksDone;
        dialog.setLabelText(ProgressText(names, done, dialog.wasCanceled()));
        dialog.setValue(static_cast<int>(done));
        if (run.Done()) {
            loop.quit();
        }
    });
    poll.start(kPollMs);
    dialog.show();
    loop.exec();
}

}  // namespace

void RunBatchConversion(CMyVeskDoc& doc, QWidget* window) {
    const auto batch = PrepareOpenSheetBatch(doc, ProcessEnvironmentVariable);
    if (!batch) {
        return;
    }
    BatchRun run(
        [request = batch->request](BatchProgress& progress, const std::atomic<bool>& cancel) {
            return RunConversionBatch(request, progress, cancel);
        });
    FollowRun(run, batch->names, window);
    const BatchResult result = run.Finish();
    const BatchSummary summary = result.Summary();
    const bool failed = summary.failed + summary.conflicts + summary.sheetsFailed > 0 ||
                        !result.diagnostics.empty();
    doc.Ui().ShowMessage(OpenSheetBatchSummary(result, batch->names.size()),
                         failed ? kErrorCaption : kNoticeCaption,
                         failed ? MessageIcon::Stop : MessageIcon::Information);
}

}  // namespace vesk::gui
