#pragma once

#include <QImage>
#include <QWidget>

namespace vesk::gui {

// A borderless window showing the title picture pixel for pixel; it asks to
// be closed when its timer runs out.
class SplashWindow : public QWidget {
    Q_OBJECT

public:
    SplashWindow(const QImage& picture, QWidget* owner);

signals:
    void TimedOut();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void CentreOverOwner(QWidget* owner);

    QImage picture_;
};

}  // namespace vesk::gui
