#include "GuiFixture.h"

#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include "app/CommandTable.h"
#include "findings/SheetCheckDisplay.h"
#include "view/CMyVeskView.h"

namespace vesk::test {

GuiFixture::GuiFixture(bool withSplash, const QStringList& moreArguments) {
    QSettings().clear();
    QStringList arguments{QStringLiteral("vesk")};
    if (!withSplash) {
        arguments.append(QStringLiteral("-Embedding"));
    }
    arguments.append(moreArguments);
    app_ = std::make_unique<gui::CMyVeskApp>(arguments);
    app_->InitInstance();
    // The data-status marks and colours are left to the tests of them, so that
    // every other picture is drawn as without them.
    if (Frame().CheckDisplay().StatusShown()) {
        Frame().CheckDisplay().ToggleStatus();
    }
    QSettings().clear();
    if (!QTest::qWaitForWindowExposed(&Frame())) {
        qWarning("main window not exposed");
    }
}

GuiFixture::~GuiFixture() = default;

QAction* GuiFixture::Action(int id) const {
    return Frame().Commands().Action(id);
}

std::filesystem::path GuiFixture::GridSheet(int width, int height, int bits) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 1000.0f, 2000.0f)
        .Name("\x83\x65\x83\x58\x83\x67")
        .Image({.width = width, .height = height, .bitCount = bits});
    for (int n = 0; n < kSubSheetCount; ++n) {
        const float west = 1000.0f + 400.0f * static_cast<float>(n % 5);
        sheet.SubSheetArea(n, west, 2000.0f + 300.0f * static_cast<float>(4 - n / 5));
        sheet.Building(
            0, 10,
            {{west + 10, 2000.0f + 10}, {west + 20, 2000.0f + 10}, {west + 20, 2000.0f + 20}});
    }
    return Write(sheet, "grid.tqb");
}

std::filesystem::path GuiFixture::Write(const SheetBuilder& sheet, const std::string& name) {
    const auto path = dir / name;
    sheet.WriteTo(path);
    return path;
}

void GuiFixture::Open(const std::filesystem::path& path) {
    Doc().OpenSheetFile(path);
    Frame().Commands().Update();
}

void GuiFixture::ClickPicture(QPoint drawingPoint) {
    gui::CMyVeskView* view = Frame().View();
    const QPoint scroll(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value());
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, drawingPoint - scroll);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, drawingPoint - scroll);
    Frame().Commands().Update();
}

QImage GuiFixture::Screen() const {
    QTest::qWait(20);  // let pending repaints reach the screen
    return Frame().screen()->grabWindow(Frame().winId()).toImage();
}

QImage GuiFixture::ViewportOnScreen() const {
    const QWidget* viewport = Frame().View()->viewport();
    const QPoint at = viewport->mapTo(&Frame(), QPoint(0, 0));
    return Screen().copy(QRect(at, viewport->size()));
}

}  // namespace vesk::test
