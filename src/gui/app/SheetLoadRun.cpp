#include "app/SheetLoadRun.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <memory>

#include "app/PathText.h"
#include "document/SheetLoad.h"

namespace vesk::gui {
namespace {

// A load that ends sooner shows no dialog, which would only flash.
constexpr int kDialogDelayMs = 300;
constexpr int kPollMs = 50;
constexpr int kProgressSteps = 1000;

void SetUpDialog(QProgressDialog& dialog, const SheetLoad& load) {
    dialog.setWindowTitle(QString::fromUtf8("1/2500図葉ﾌｧｲﾙを開く"));
    dialog.setLabelText(QString::fromUtf8("図葉ﾌｧｲﾙを読み込み中...\n") +
                        ToText(load.Path().filename()));
    dialog.setCancelButtonText(QString::fromUtf8("ｷｬﾝｾﾙ"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setRange(0, kProgressSteps);
    // It stays up until the thread has ended, cancelled or not.
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
}

// Shows the load's progress until `loop` ends, as it does with the thread.
void FollowLoad(SheetLoad& load, QEventLoop& loop, QWidget* window) {
    QProgressDialog dialog(window);
    SetUpDialog(dialog, load);
    // ｷｬﾝｾﾙ hides the dialog; it comes back without the button and keeps the
    // windows blocked for the moment the load takes to stop.
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&load, &dialog] {
        load.Cancel();
        dialog.setCancelButton(nullptr);
        dialog.show();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&load, &dialog] {
        dialog.setValue(static_cast<int>(std::lround(load.Progress() * kProgressSteps)));
    });
    poll.start(kPollMs);
    dialog.show();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    loop.exec();
    QApplication::restoreOverrideCursor();
}

}  // namespace

void RunSheetLoadInBackground(SheetLoad& load, QWidget* window) {
    const std::unique_ptr<QThread> worker(QThread::create([&load] { load.Run(); }));
    QEventLoop loop;
    // Told here, on this thread, once the thread's end has been handed over.
    bool ended = false;
    QObject::connect(worker.get(), &QThread::finished, &loop, [&ended, &loop] {
        ended = true;
        loop.quit();
    });
    worker->start();
    // Input waits until the dialog is up to take it, or the load has ended.
    QTimer::singleShot(kDialogDelayMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!ended) {
        FollowLoad(load, loop, window);
    }
    // Loops end early only when the program quits: the load stops first.
    if (!ended) {
        load.Cancel();
    }
    worker->wait();
}

}  // namespace vesk::gui
