#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include "app/SplashWindow.h"

namespace vesk::gui {

// The splash window's program-wide state: whether it may be shown at all, and
// the one window that exists. While it exists every input message passes here
// first: the first key or mouse-button press anywhere only closes it.
class SplashScreen : public QObject {
    Q_OBJECT

public:
    static constexpr int kTimeoutMs = 6000;

    // True unless an argument is "-" or "/" followed by "Embedding" or
    // "Automation", in any letter case.
    static bool ShowSplashFromCommandLine(const QStringList& arguments);

    void Enable(bool enabled) { enabled_ = enabled; }
    // Shows the window centred over owner; nothing if disabled or already shown.
    void Show(QWidget* owner);
    void Hide();
    // Keeps the window in front of its owner, also where no window manager does.
    void Raise();
    bool IsShown() const { return !window_.isNull(); }
    SplashWindow* Window() const { return window_.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool enabled_ = false;
    QPointer<SplashWindow> window_;
    QPointer<QWidget> owner_;
};

}  // namespace vesk::gui
