#pragma once

#include <QStringList>
#include <QTranslator>
#include <memory>

#include "app/GuiDocumentUi.h"
#include "app/SplashScreen.h"

namespace vesk {
class CMyVeskDoc;
}

namespace vesk::gui {

class CMainFrame;

// The application: start-up, and the objects that live for the whole run (the
// document, its user interface, the main frame and the splash screen).
class CMyVeskApp {
public:
    explicit CMyVeskApp(const QStringList& arguments);
    ~CMyVeskApp();

    CMyVeskApp(const CMyVeskApp&) = delete;
    CMyVeskApp& operator=(const CMyVeskApp&) = delete;

    // Start-up; false when the program cannot start.
    bool InitInstance();

    CMainFrame* MainFrame() const { return frame_.get(); }
    CMyVeskDoc& Document() const { return *doc_; }
    SplashScreen& Splash() { return splash_; }

private:
    QStringList arguments_;
    QTranslator qtTranslator_;
    SplashScreen splash_;
    GuiDocumentUi ui_;
    std::unique_ptr<CMyVeskDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace vesk::gui
