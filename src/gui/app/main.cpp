// vesk: the desktop program.
#include <QApplication>

#include "app/CMyVeskApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vesk::gui::CMyVeskApp vesk(QApplication::arguments());
    if (!vesk.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
