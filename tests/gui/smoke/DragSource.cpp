// A window that a pointer can drag a file from, as a file manager's would: the
// Xvfb walkthrough drops a sheet on the program with it. Usage: DragSource FILE X Y
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QString file) : file_(std::move(file)) {
        setWindowTitle(QStringLiteral("vesk-drag-source"));
        resize(120, 80);
    }

protected:
    // The drag starts at the press; the program's answer ends it, whatever it was.
    void mousePressEvent(QMouseEvent* /*event*/) override {
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(file_)});
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction);
    }

private:
    QString file_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4) {
        return 2;
    }
    DragSource source(arguments[1]);
    source.move(arguments[2].toInt(), arguments[3].toInt());
    source.show();
    return QApplication::exec();
}
