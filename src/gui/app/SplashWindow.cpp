#include "app/SplashWindow.h"

#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

#include "app/SplashScreen.h"

namespace vesk::gui {

SplashWindow::SplashWindow(const QImage& picture, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), picture_(picture) {
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.size());
    CentreOverOwner(owner);
    startTimer(SplashScreen::kTimeoutMs);
}

void SplashWindow::CentreOverOwner(QWidget* owner) {
    const bool ownerShown = owner && owner->isVisible() && !owner->isMinimized();
    QScreen* screen = ownerShown ? owner->screen() : this->screen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QPoint centre = ownerShown ? owner->frameGeometry().center() : workArea.center();
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(centre);
    // Keep it inside the work area.
    frame.moveLeft(
        std::max(workArea.left(), std::min(frame.left(), workArea.right() - width() + 1)));
    frame.moveTop(
        std::max(workArea.top(), std::min(frame.top(), workArea.bottom() - height() + 1)));
    move(frame.topLeft());
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void SplashWindow::timerEvent(QTimerEvent*) {
    emit TimedOut();
}

}  // namespace vesk::gui
