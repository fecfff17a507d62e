#include "app/CMyVeskApp.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "dialogs/DialogUnits.h"
#include "document/CMyVeskDoc.h"

namespace vesk::gui {
namespace {

// The file named on the command line: the first argument that is not a switch.
QString NamedFile(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith('-') && !argument.startsWith('/')) {
            return argument;
        }
        if (argument.startsWith('/') && argument.size() > 1 && argument.indexOf('/', 1) > 0) {
            return argument;  // an absolute path, not a switch
        }
    }
    return {};
}

}  // namespace

CMyVeskApp::CMyVeskApp(const QStringList& arguments) : arguments_(arguments) {}

CMyVeskApp::~CMyVeskApp() {
    splash_.Hide();
    frame_.reset();
}

bool CMyVeskApp::InitInstance() {
    splash_.Enable(SplashScreen::ShowSplashFromCommandLine(arguments_));
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Vesk"));
    QApplication::setFont(DialogFont());
    // The interface is Japanese whatever the locale, Qt's own dialogs included:
    // their texts by Qt's translations, the file types they name by the
    // default locale.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    if (qtTranslator_.load(QStringLiteral("qtbase_ja"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator_);
    }

    doc_ = std::make_unique<CMyVeskDoc>(ui_);
    frame_ = std::make_unique<CMainFrame>(*doc_);
    ui_.SetFrame(frame_.get());
    doc_->OnNewDocument();
    // Availability is asked again whenever the program is about to wait for
    // input, so menus, buttons and keys follow every change of state.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &frame_->Commands(), &CommandTable::Update);

    const QString file = NamedFile(arguments_);
    if (!file.isEmpty()) {
        frame_->OpenAndRemember(file);
    }
    splash_.Show(frame_.get());
    frame_->show();
    splash_.Raise();
    return true;
}

}  // namespace vesk::gui
