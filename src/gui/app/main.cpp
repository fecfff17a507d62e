// vesk: the desktop program.
#include <QApplication>
#include <cstdio>

#include "app/CMyVeskApp.h"
#include "app/CommandLineInfo.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so they work without a display.
    if (const auto info =
            vesk::gui::CommandLineInfo(std::vector<std::string_view>(argv, argv + argc))) {
        std::fputs(info->c_str(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    vesk::gui::CMyVeskApp vesk(QApplication::arguments());
    if (!vesk.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
