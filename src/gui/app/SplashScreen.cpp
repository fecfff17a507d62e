#include "app/SplashScreen.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>

#include "app/SplashWindow.h"
#include "app/TitlePicture.h"

namespace vesk::gui {
namespace {

bool SuppressesSplash(const QString& argument) {
    if (argument.size() < 2 || (argument[0] != '-' && argument[0] != '/')) {
        return false;
    }
    const QString word = argument.mid(1);
    return word.compare(QLatin1String("Embedding"), Qt::CaseInsensitive) == 0 ||
           word.compare(QLatin1String("Automation"), Qt::CaseInsensitive) == 0;
}

// Ctrl, Shift, Alt and the like on their own are not yet a key the user
// pressed: Ctrl+O pressed over the splash must only close it.
bool IsModifierKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    switch (static_cast<const QKeyEvent*>(event)->key()) {
        case Qt::Key_Control:
        case Qt::Key_Shift:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
            return true;
        default:
            return false;
    }
}

bool IsPress(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool SplashScreen::ShowSplashFromCommandLine(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (SuppressesSplash(argument)) {
            return false;
        }
    }
    return true;
}

void SplashScreen::Show(QWidget* owner) {
    if (!enabled_ || window_) {
        return;
    }
    const QImage picture = TitlePicture();
    if (picture.isNull()) {
        return;
    }
    owner_ = owner;
    window_ = new SplashWindow(picture, owner);
    connect(window_, &SplashWindow::TimedOut, this, &SplashScreen::Hide);
    qApp->installEventFilter(this);
    window_->show();
    window_->repaint();
}

void SplashScreen::Hide() {
    qApp->removeEventFilter(this);
    if (window_) {
        window_->close();
        window_ = nullptr;
    }
    if (owner_) {
        owner_->repaint();
    }
}

void SplashScreen::Raise() {
    if (window_) {
        window_->raise();
    }
}

bool SplashScreen::eventFilter(QObject* watched, QEvent* event) {
    if (!window_) {
        return QObject::eventFilter(watched, event);
    }
    // A shortcut key is matched before its key press is delivered, and the
    // match may ask a window rather than a widget: claim it so that the key
    // press comes here and only closes the splash.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (watched->isWidgetType() && IsPress(event->type()) && !IsModifierKey(event)) {
        Hide();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vesk::gui
