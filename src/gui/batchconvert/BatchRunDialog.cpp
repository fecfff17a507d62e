#include "batchconvert/BatchRunDialog.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

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

void SetUpDialog(QProgressDialog& dialog, const std::vector<std::string>& names,
                 const QString& title) {
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setCancelButtonText(QString::fromUtf8("ｷｬﾝｾﾙ"));
    dialog.setRange(0, static_cast<int>(names.size()));
    // It stays up until the thread has ended, cancelled or not.
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setLabelText(ProgressText(names, 0, false));
}

}  // namespace

void FollowBatchRun(BatchRun& run, const std::vector<std::string>& names, const QString& title,
                    QWidget* window) {
    QProgressDialog dialog(window);
    SetUpDialog(dialog, names, title);
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

}  // namespace vesk::gui
