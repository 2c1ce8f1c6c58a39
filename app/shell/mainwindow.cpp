#include "shell/mainwindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "run/designersession.h"
#include "run/runpacer.h"
#include "shell/advancedsettingswindow.h"
#include "shell/designwindow.h"
#include "shell/logwindow.h"
#include "shell/mdichildwindow.h"
#include "shell/picturewindow.h"
#include "shell/renderwindow.h"
#include "shell/shellcontext.h"
#include "shell/twips.h"
#include "shell/zoomsteps.h"

namespace dw::shell {

using design::WindowEvent;

namespace {

constexpr int kDesignWidthTwips = 7320;
constexpr int kDesignHeightTwips = 5910;
constexpr int kLogHeightTwips = 2500;
constexpr const char* kPositionPanel = "STA_POS";
constexpr const char* kColourPanel = "STA_COLOUR";

} // namespace

MainWindow::MainWindow(ShellContext& context, QtHost& host, QWidget* parent)
    : QMainWindow(parent), mContext(context), mHost(host), mExit(context.session()) {
    setObjectName("MDIForm1");
    setWindowTitle("Dialwright");
    mArea = new QMdiArea(this);
    mArea->setObjectName("mdiArea");
    mArea->viewport()->installEventFilter(this);
    setCentralWidget(mArea);
    buildMenus();
    buildToolbars();
    buildStatusBar();

    const QRect screen = QGuiApplication::primaryScreen() != nullptr
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1280, 900);
    resize(std::min(1280, screen.width()), std::min(900, screen.height()));

    mHost.setListener(this);
    session().log().setOnChange([this] { logChanged(); });
    connect(&mContext, &ShellContext::designChanged, this, &MainWindow::refreshToolbar);
}

MainWindow::~MainWindow() {
    session().log().setOnChange(nullptr);
    mHost.setListener(nullptr);
}

run::DesignerSession& MainWindow::session() {
    return mContext.session();
}

void MainWindow::runCommand(const std::function<void()>& command) {
    mContext.runCommand(command);
}

bool MainWindow::start() {
    show();
    activateWindow();
    session().loadPreferences();
    if (!session().registrationCheck()) {
        return false;
    }
    createDesignWindows();
    showLogWindow();
    refreshToolbar();
    return true;
}

void MainWindow::createDesignWindows() {
    mDesignFrame = addChild(new DesignWindow(mContext), [this] { closeDesignWindow(); });
    mDesignFrame->resize(twipsToPixels(kDesignWidthTwips, kDesignHeightTwips, this));
    mDesignFrame->move(0, 0);
    mDesignFrame->show();
    // Loaded hidden; until the exit its close box only hides it.
    mAdvancedFrame = addChild(new AdvancedSettingsWindow(mContext), [this] {
        if (!mExit.bUnload()) {
            mAdvancedFrame->hide();
        }
    });
    mAdvancedFrame->hide();
}

MdiChildWindow* MainWindow::addChild(QWidget* content, std::function<void()> closePolicy) {
    auto* frame = new MdiChildWindow(content, std::move(closePolicy));
    mArea->addSubWindow(frame);
    return frame;
}

void MainWindow::fitFrame(MdiChildWindow* frame) {
    QWidget* content = frame->widget();
    content->adjustSize();
    frame->adjustSize();
    // At its natural size a picture's window fits it exactly, however large; a zoomed one grows
    // up to the client area and scrolls from there.
    const auto* view = qobject_cast<PictureView*>(content);
    if (view == nullptr || view->zoom() == kNaturalZoom) {
        return;
    }
    const QSize room = mArea->viewport()->size();
    const QSize decoration = frame->sizeHint() - content->sizeHint();
    frame->resize(fittedViewSize(content->sizeHint(), room - decoration, view->scrollBarExtent()) +
                  decoration);
    const QPoint inside(std::clamp(frame->x(), 0, std::max(0, room.width() - frame->width())),
                        std::clamp(frame->y(), 0, std::max(0, room.height() - frame->height())));
    frame->move(inside);
}

void MainWindow::attachPictureView(MdiChildWindow* frame, PictureView* view) {
    const QPointer<MdiChildWindow> guarded(frame);
    connect(view, &PictureView::fitRequested, this, [this, guarded] {
        if (guarded) {
            fitFrame(guarded);
        }
    });
    // The zoom is also on the frame's own menu, so that a right click on the title offers it.
    if (QMenu* menu = frame->systemMenu()) {
        menu->addSeparator();
        menu->addActions(view->zoomActions());
    }
}

void MainWindow::dropFrame(QPointer<MdiChildWindow>& frame) {
    if (frame) {
        frame->hide();
        // Later: the frame may be in the middle of its own close event or paint.
        frame->deleteLater();
    }
    frame = nullptr;
}

// ---- View menu ----

void MainWindow::showDesignWindow() {
    if (mDesignFrame) {
        mDesignFrame->showInFront();
    }
}

void MainWindow::showAdvancedWindow() {
    if (mAdvancedFrame) {
        mAdvancedFrame->resize(twipsToPixels(7080, 6870, this));
        mAdvancedFrame->showInFront();
    }
}

void MainWindow::showLogWindow() {
    ensureLogWindow();
    mLogFrame->showInFront();
    dockLogWindow();
}

void MainWindow::clearLog() {
    session().clearlogline();
}

void MainWindow::dockLogWindow() {
    if (!mLogFrame) {
        return;
    }
    const QSize client = mArea->viewport()->size();
    mLogFrame->resize(client.width(), twipsToPixelsY(kLogHeightTwips, this));
    // Read back: the frame may not go as low as asked.
    const int height = mLogFrame->height();
    mLogFrame->setGeometry(0, client.height() - height, client.width(), height);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The client area follows every resize of the main window, the first one included.
    if (watched == mArea->viewport() && event->type() == QEvent::Resize) {
        dockLogWindow();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Log window ----

LogWindow* MainWindow::logWindow() const {
    return mLogFrame ? static_cast<LogWindow*>(mLogFrame->widget()) : nullptr;
}

LogWindow* MainWindow::ensureLogWindow() {
    if (!mLogFrame) {
        auto* log = new LogWindow;
        mLogFrame = addChild(log, [this] { closeLogWindow(); });
        log->showText(session().log().text());
        mLogFrame->show();
    }
    return logWindow();
}

void MainWindow::logChanged() {
    if (mDiscardingLog) {
        return;
    }
    // A line written while the window is closed brings it back (docked at the next resize).
    ensureLogWindow()->showText(session().log().text());
}

void MainWindow::closeLogWindow() {
    // The text lives only in the window: closing it forgets the log.
    mDiscardingLog = true;
    session().clearlogline();
    mDiscardingLog = false;
    dropFrame(mLogFrame);
}

// ---- Status bar ----

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("sbar");
    mPositionPanel = new QLabel(bar);
    mPositionPanel->setObjectName(kPositionPanel);
    mPositionPanel->setMinimumWidth(140);
    mFrameCountPanel = new QLabel(bar);
    mFrameCountPanel->setObjectName(run::kFrameCountPanel);
    mColourPanel = new QLabel(bar);
    mColourPanel->setObjectName(kColourPanel);
    mColourPanel->setMinimumWidth(160);
    bar->addWidget(mPositionPanel);
    bar->addWidget(mFrameCountPanel, 1);
    bar->addWidget(mColourPanel);
    mFrameCountTimer = new QTimer(this);
    mFrameCountTimer->setSingleShot(true);
    mFrameCountTimer->setInterval(40);
    connect(mFrameCountTimer, &QTimer::timeout, this,
            [this] { mFrameCountPanel->setText(QString::fromStdString(mFrameCountText)); });
}

void MainWindow::statusTextChanged(const std::string& panelKey, const std::string& text) {
    if (panelKey == kPositionPanel) {
        mPositionPanel->setText(QString::fromStdString(text));
    } else if (panelKey == run::kFrameCountPanel) {
        // A run sets it on every frame; the panel is laid out and painted at most 25 times a
        // second, and the last text always lands. Kept as it came until then.
        mFrameCountText = text;
        if (!mFrameCountTimer->isActive()) {
            mFrameCountTimer->start();
        }
    }
}

// ---- Window models ----

void MainWindow::windowChanged(const std::string& windowName, WindowEvent event) {
    if (windowName == render::kRenderWindow) {
        renderWindowChanged(event);
        return;
    }
    for (int i = 0; i < design::kPictureSlotCount; ++i) {
        const auto slot = static_cast<design::PictureSlot>(i);
        if (windowName == design::slotCaption(slot)) {
            pictureWindowChanged(slot, event);
            return;
        }
    }
    // The design window's own picture is shown by the design window, which refreshes after
    // every command.
}

void MainWindow::renderWindowChanged(WindowEvent event) {
    switch (event) {
    case WindowEvent::Shown:
        if (!mRenderFrame) {
            auto* render = new RenderWindow(mContext);
            mRenderFrame = addChild(render, [this] {
                runCommand([this] { session().unloadRenderWindow(); });
            });
            attachPictureView(mRenderFrame, render);
        }
        static_cast<RenderWindow*>(mRenderFrame->widget())->refresh();
        fitFrame(mRenderFrame);
        mRenderFrame->showInFront();
        break;
    case WindowEvent::PictureChanged:
        if (mRenderFrame && static_cast<RenderWindow*>(mRenderFrame->widget())->refresh()) {
            fitFrame(mRenderFrame);
        }
        break;
    case WindowEvent::Hidden:
        if (mRenderFrame) {
            mRenderFrame->hide();
        }
        break;
    case WindowEvent::Unloaded:
        dropFrame(mRenderFrame);
        break;
    }
}

MdiChildWindow* MainWindow::pictureFrame(design::PictureSlot slot) const {
    return mPictureFrames[static_cast<std::size_t>(slot)];
}

MdiChildWindow* MainWindow::ensurePictureFrame(design::PictureSlot slot) {
    QPointer<MdiChildWindow>& frame = mPictureFrames[static_cast<std::size_t>(slot)];
    const auto model = session().pictures().window(slot);
    // A slot refilled without an unload has a new model: its old window goes.
    if (frame && !static_cast<PictureWindow*>(frame->widget())->shows(model.get())) {
        dropFrame(frame);
    }
    if (!frame && model) {
        auto* window = new PictureWindow(mContext, slot, model);
        frame = addChild(window, [this, slot] { closePictureWindow(slot); });
        attachPictureView(frame, window);
        connect(window, &PictureWindow::pointerColourChanged, mColourPanel, &QLabel::setText);
    }
    return frame;
}

void MainWindow::pictureWindowChanged(design::PictureSlot slot, WindowEvent event) {
    QPointer<MdiChildWindow>& frame = mPictureFrames[static_cast<std::size_t>(slot)];
    switch (event) {
    case WindowEvent::Shown:
        if (MdiChildWindow* shown = ensurePictureFrame(slot)) {
            auto* window = static_cast<PictureWindow*>(shown->widget());
            window->refresh();
            shown->setWindowTitle(window->windowTitle());
            fitFrame(shown);
            shown->showInFront();
        }
        break;
    case WindowEvent::PictureChanged:
        if (frame && static_cast<PictureWindow*>(frame->widget())->refresh()) {
            fitFrame(frame);
        }
        break;
    case WindowEvent::Hidden:
        if (frame) {
            frame->hide();
        }
        break;
    case WindowEvent::Unloaded:
        dropFrame(frame);
        break;
    }
}

void MainWindow::closePictureWindow(design::PictureSlot slot) {
    QPointer<MdiChildWindow>& frame = mPictureFrames[static_cast<std::size_t>(slot)];
    const auto model = frame ? static_cast<PictureWindow*>(frame->widget())->model() : nullptr;
    // The model hides itself while it may not close; one already let go just goes.
    if (!model || model->requestClose()) {
        dropFrame(frame);
    }
}

} // namespace dw::shell
