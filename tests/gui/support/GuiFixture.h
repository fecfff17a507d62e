#pragma once

#include <QAction>
#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>

#include "SheetBuilder.h"
#include "TempDir.h"
#include "app/CMainFrame.h"
#include "app/CMyVeskApp.h"
#include "document/CMyVeskDoc.h"

namespace vesk::test {

// The real program's objects, started as the program starts (without the
// splash unless asked), and small helpers to drive them.
class GuiFixture {
public:
    explicit GuiFixture(bool withSplash = false, const QStringList& moreArguments = {});
    ~GuiFixture();

    gui::CMainFrame& Frame() const { return *app_->MainFrame(); }
    CMyVeskDoc& Doc() const { return app_->Document(); }
    gui::CMyVeskApp& App() const { return *app_; }
    QAction* Action(int id) const;

    // A sheet of 25 sub-sheets (block n at column n % 5, row n / 5 from the top)
    // on a width x height image, written to the temporary folder.
    std::filesystem::path GridSheet(int width = 500, int height = 375, int bits = 24);
    std::filesystem::path Write(const SheetBuilder& sheet, const std::string& name);
    void Open(const std::filesystem::path& path);

    // A left-button press at a point of the picture (drawing coordinates, at 100 %).
    void ClickPicture(QPoint drawingPoint);
    // What the main window shows on the screen now, as painted there.
    QImage Screen() const;
    // The view's viewport as the screen shows it.
    QImage ViewportOnScreen() const;

    TempDir dir;

private:
    std::unique_ptr<gui::CMyVeskApp> app_;
};

}  // namespace vesk::test
