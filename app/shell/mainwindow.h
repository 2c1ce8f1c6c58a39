#pragma once
// The main window, MDIForm1: the menu bar, the two toolbars, the status bar and the client area
// that holds every other window. Each command is a thin call into the designer session through
// the shell context; the child windows follow the session's window models through the host.
#include <array>
#include <functional>
#include <string>

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "design/pictureslots.h"
#include "run/exitsequence.h"
#include "shell/mdichildwindow.h"
#include "shell/qthost.h"

class QAction;
class QLabel;
class QMdiArea;
class QTimer;
class QToolBar;

namespace dw::run {
class DesignerSession;
}

namespace dw::shell {

class LogWindow;
class PictureView;
class PictureWindow;
class RenderWindow;
class ShellContext;

class MainWindow : public QMainWindow, public HostListener {
    Q_OBJECT
public:
    // The window is built hidden; start() shows it. Registers itself as the host's listener
    // for its lifetime. `context` and `host` must outlive it.
    MainWindow(ShellContext& context, QtHost& host, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: shows the window, loads the preferences, checks that both components can be
    // created, opens the design window (and the hidden advanced settings window) and shows the
    // log last. False after the check's critical message: the program must end.
    bool start();

    // The log window along the bottom of the client area, full width, 2500 twips high. Nothing
    // when the log window is closed.
    void dockLogWindow();

    // Runs a session operation as a user command (guarded; the windows refresh after it).
    void runCommand(const std::function<void()>& command);
    run::DesignerSession& session();
    ShellContext& context() { return mContext; }
    // The Qt host, for the dialogs the shell itself asks (an export's options).
    QtHost& host() { return mHost; }

    // The View menu's operations.
    void showDesignWindow();
    void showAdvancedWindow();
    void showLogWindow();
    void clearLog();

    // A click on a button of Toolbar1 or tbrAppearance, by key. An unknown key shows
    // "Undefined". An appearance button has already changed state when this runs.
    void toolbarButtonClicked(const std::string& key);
    void appearanceButtonClicked(const std::string& key, bool pressed);

    run::ExitSequence& exitSequence() { return mExit; }

    // The child windows' frames, null while a window does not exist.
    QMdiArea* mdiArea() const { return mArea; }
    MdiChildWindow* designFrame() const { return mDesignFrame; }
    MdiChildWindow* advancedFrame() const { return mAdvancedFrame; }
    MdiChildWindow* logFrame() const { return mLogFrame; }
    MdiChildWindow* renderFrame() const { return mRenderFrame; }
    MdiChildWindow* pictureFrame(design::PictureSlot slot) const;
    LogWindow* logWindow() const;

    // HostListener
    void statusTextChanged(const std::string& panelKey, const std::string& text) override;
    void windowChanged(const std::string& windowName, design::WindowEvent event) override;
    QWidget* dialogOwner() override { return this; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbars();
    void buildStatusBar();
    void refreshToolbar();

    MdiChildWindow* addChild(QWidget* content, std::function<void()> closePolicy);
    void createDesignWindows();
    LogWindow* ensureLogWindow();
    void logChanged();
    void closeLogWindow();
    void renderWindowChanged(design::WindowEvent event);
    void pictureWindowChanged(design::PictureSlot slot, design::WindowEvent event);
    MdiChildWindow* ensurePictureFrame(design::PictureSlot slot);
    void closePictureWindow(design::PictureSlot slot);
    void closeDesignWindow();
    void fitFrame(MdiChildWindow* frame);
    void attachPictureView(MdiChildWindow* frame, PictureView* view);
    static void dropFrame(QPointer<MdiChildWindow>& frame);

    ShellContext& mContext;
    QtHost& mHost;
    run::ExitSequence mExit;
    QMdiArea* mArea = nullptr;
    QToolBar* mToolbar1 = nullptr;
    QToolBar* mAppearance = nullptr;
    QLabel* mPositionPanel = nullptr;
    QLabel* mFrameCountPanel = nullptr;
    QLabel* mColourPanel = nullptr; // the colour under the pointer over a picture
    QPointer<MdiChildWindow> mDesignFrame;
    QPointer<MdiChildWindow> mAdvancedFrame;
    QPointer<MdiChildWindow> mLogFrame;
    QPointer<MdiChildWindow> mRenderFrame;
    std::array<QPointer<MdiChildWindow>, design::kPictureSlotCount> mPictureFrames;
    bool mDiscardingLog = false;
    // A run sets its frame count many times a frame; the panel shows the latest at display pace.
    QTimer* mFrameCountTimer = nullptr;
    std::string mFrameCountText;
};

} // namespace dw::shell
