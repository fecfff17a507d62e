#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/AboutDlg.h"
#include "app/CommandCatalog.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/LockKeyState.h"
#include "app/PathText.h"
#include "document/CMyVeskDoc.h"
#include "view/CMyVeskView.h"

// Resources of a static library must be registered by hand.
static void InitResources() {
    Q_INIT_RESOURCE(vesk);
}

namespace vesk::gui {
namespace {

constexpr int kInitialWidth = 330;
constexpr int kInitialHeight = 337;
constexpr int kMaxFitAttempts = 6;
constexpr int kLockKeyPollMs = 250;

const char* ToolBarImage(int id) {
    switch (id) {
        case cmd::kNew:
            return ":/toolbar/new.xpm";
        case cmd::kOpenSheet:
            return ":/toolbar/open.xpm";
        case cmd::kConvert:
            return ":/toolbar/save.xpm";
        case cmd::kCut:
            return ":/toolbar/cut.xpm";
        case cmd::kCopy:
            return ":/toolbar/copy.xpm";
        case cmd::kPaste:
            return ":/toolbar/paste.xpm";
        case cmd::kPrint:
            return ":/toolbar/print.xpm";
        case cmd::kAbout:
            return ":/toolbar/help.xpm";
        default:
            return nullptr;
    }
}

QLabel* MakeIndicator(QWidget* parent, const char* widestText) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString::fromUtf8(widestText)) +
                           8);
    return label;
}

}  // namespace

CMainFrame::CMainFrame(CMyVeskDoc& doc)
    : doc_(doc), commands_(std::make_unique<CommandTable>(this)) {
    InitResources();
    setWindowIcon(QIcon(QStringLiteral(":/vesk.xpm")));
    view_ = new CMyVeskView(doc_, this);
    view_->installEventFilter(this);
    connect(view_, &CMyVeskView::StatusText, this, &CMainFrame::SetMessageText);
    setCentralWidget(view_);
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    ConnectCommands();
    RebuildRecentFileMenu();
    resize(kInitialWidth, kInitialHeight);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenus() {
    for (const MenuText& menuText : MenuTexts()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuText.title));
        for (int id : menuText.items) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(commands_->Action(id));
            }
        }
        // Availability and check marks are asked again before a menu opens.
        connect(menu, &QMenu::aboutToShow, commands_.get(), &CommandTable::Update);
        if (menuText.items.front() == cmd::kNew) {
            fileMenu_ = menu;
        }
    }
}

void CMainFrame::BuildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("59392"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolBarItems()) {
        if (id == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = commands_->Action(id);
        action->setIcon(QIcon(QString::fromLatin1(ToolBarImage(id))));
        toolBar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::BuildStatusBar() {
    messagePane_ = new QLabel(this);
    messagePane_->setObjectName(QStringLiteral("0"));
    statusBar()->addWidget(messagePane_, 1);
    // The platform gives no portable way to read the lock keys' state, so the
    // indicators keep their place but stay empty.
    for (const char* text : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        QLabel* indicator = MakeIndicator(this, text);
        indicators_.append(indicator);
        statusBar()->addPermanentWidget(indicator);
    }
    SetMessageText(QString::fromUtf8("ﾚﾃﾞｨ"));
    // Lock keys change outside the program too, so they are looked at often.
    auto* lockKeyTimer = new QTimer(this);
    connect(lockKeyTimer, &QTimer::timeout, this, &CMainFrame::UpdateIndicators);
    lockKeyTimer->start(kLockKeyPollMs);
    UpdateIndicators();
}

void CMainFrame::UpdateIndicators() {
    const auto keys = QueryLockKeys();
    const bool states[] = {keys && keys->kana, keys && keys->caps, keys && keys->num,
                           keys && keys->scroll};
    const char* const texts[] = {"ｶﾅ", "CAP", "NUM", "SCRL"};
    for (int i = 0; i < indicators_.size(); ++i) {
        indicators_[i]->setText(states[i] ? QString::fromUtf8(texts[i]) : QString());
    }
}

void CMainFrame::ConnectCommands() {
    CommandTable& c = *commands_;
    const auto never = [] { return false; };
    c.SetHandler(cmd::kOpenSheet, [this] { doc_.OnOpenSheet(); });
    c.SetHandler(cmd::kSurvey, [this] { doc_.OnSurvey(); });
    c.SetHandler(
        cmd::kConvert, [this] { doc_.OnConvert(); }, [this] { return doc_.CanConvert(); });
    c.SetHandler(
        cmd::kPrefectureNames, [this] { doc_.TogglePrefectureNames(); },
        [this] { return doc_.SurveyMapFlag(); }, [this] { return doc_.ShowsPrefectureNames(); });
    c.SetHandler(
        cmd::kBlockNames, [this] { doc_.ToggleBlockNames(); }, [this] { return doc_.SheetFlag(); },
        [this] { return doc_.ShowsBlockNames(); });
    for (int id : {cmd::kNew, cmd::kPrint, cmd::kPrintPreview, cmd::kPrintSetup}) {
        c.SetHandler(
            id, [] {}, never);
    }
    c.SetHandler(cmd::kExit, [this] { close(); });
    c.SetHandler(cmd::kGenericOpen, [this] { OnGenericOpen(); });
    // Whether a bar is shown is asked of the bar itself, not of the window,
    // which may not be on screen yet.
    c.SetHandler(
        cmd::kToolBar, [this] { toolBar_->setHidden(!toolBar_->isHidden()); }, {},
        [this] { return !toolBar_->isHidden(); });
    c.SetHandler(
        cmd::kStatusBar, [this] { statusBar()->setHidden(!statusBar()->isHidden()); }, {},
        [this] { return !statusBar()->isHidden(); });
    c.SetHandler(cmd::kAbout, [this] {
        AboutDlg about(this);
        about.exec();
    });
}

void CMainFrame::RebuildRecentFileMenu() {
    QAction* placeholder = commands_->Action(cmd::kRecentFile);
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const QStringList& files = recentFiles_.Files();
    placeholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]), this);
        action->setStatusTip(placeholder->statusTip());
        const QString path = files[i];
        connect(action, &QAction::triggered, this, [this, path] { OpenAndRemember(path); });
        fileMenu_->insertAction(placeholder, action);
        recentActions_.append(action);
    }
}

void CMainFrame::OnGenericOpen() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromUtf8("すべてのﾌｧｲﾙ (*.*)"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        OpenAndRemember(dialog.selectedFiles().constFirst());
    }
}

void CMainFrame::OpenAndRemember(const QString& path) {
    doc_.OpenSheetFile(ToPath(path));
    // A file that could not be read leaves the list, as a stale entry would.
    if (doc_.IsSheetLoaded()) {
        recentFiles_.Add(path);
    } else {
        recentFiles_.Remove(path);
    }
    RebuildRecentFileMenu();
    commands_->Update();
}

void CMainFrame::SetDocumentTitle(const QString& title) {
    setWindowTitle(title + QStringLiteral(" - Vesk"));
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

void CMainFrame::FitToView() {
    outerSizeSet_ = true;
    fitTarget_ = view_->Extent();
    fitAttempts_ = 0;
    AdjustToFitTarget();
}

// The view must end up exactly as large as its extent (it has no frame, and
// its scroll bars vanish then). The bars take their final sizes only once the
// window is shown, and a shown window's size follows the window system later,
// so each resize of the view corrects the frame until the target is met.
void CMainFrame::AdjustToFitTarget() {
    if (!fitTarget_) {
        return;
    }
    if (!isVisible()) {
        layout()->setGeometry(QRect(QPoint(0, 0), size()));
    }
    const QSize now = view_->size();
    if (now == *fitTarget_ || ++fitAttempts_ > kMaxFitAttempts) {
        if (isVisible()) {
            fitTarget_.reset();
        }
        return;
    }
    resize(size() + (*fitTarget_ - now));
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The initial size is the outer size, frame included, which is known only
    // once the window is on screen. A window already fitted to a sheet keeps
    // its fit.
    if (!outerSizeSet_ && !fitTarget_) {
        const QSize frame = frameGeometry().size() - size();
        resize(QSize(kInitialWidth, kInitialHeight) - frame);
    }
    outerSizeSet_ = true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Resize && isVisible()) {
        AdjustToFitTarget();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::SetExtentAndFit(int width, int height) {
    view_->SetExtent(width, height);
    if (doc_.SurveyZone() != 0) {
        view_->SurveyConfirmed();
    }
    FitToView();
    view_->viewport()->update();
}

// Shown at once: hover texts must not wait for the next idle repaint.
void CMainFrame::SetMessageText(const QString& text) {
    messagePane_->setText(text);
    messagePane_->repaint();
}

QString CMainFrame::MessageText() const {
    return messagePane_->text();
}

QStringList CMainFrame::IndicatorTexts() const {
    QStringList texts;
    for (const QLabel* indicator : indicators_) {
        texts.append(indicator->text());
    }
    return texts;
}

}  // namespace vesk::gui
