#pragma once
// The design window (frmControls): every control of the design that is not on the advanced
// settings window, frame by frame, bound live to the record, with the design window's copy of
// the main picture (Picture2) and the live preview switch.
#include <QImage>
#include <QWidget>

class QGroupBox;
class QLabel;

namespace dw::shell {

class ControlBinder;
class LivePreview;
class ShellContext;

class DesignWindow : public QWidget {
    Q_OBJECT
public:
    // The context must outlive the window.
    explicit DesignWindow(ShellContext& context, QWidget* parent = nullptr);

    // The window's start size: 7320 x 5910 twips at the screen's resolution.
    QSize sizeHint() const override;

    LivePreview& livePreview() { return *mLivePreview; }

private:
    // One frame each (designwindow_hands.cpp, designwindow_centre.cpp, designwindow_modes.cpp).
    QGroupBox* handFrame();
    QGroupBox* colourToolsFrame();
    QGroupBox* centreFrame();
    QGroupBox* innerCircleFrame();
    QGroupBox* reflectionsFrame();
    QGroupBox* positionersFrame();
    QGroupBox* timeFrame();
    QGroupBox* bitmapFrame();
    QGroupBox* eraseFrame();
    QGroupBox* digitalFrame();
    QGroupBox* pictureFrame();
    void showPicture2();

    ShellContext& mContext;
    ControlBinder* mBinder = nullptr;
    LivePreview* mLivePreview = nullptr;
    QLabel* mPicture2 = nullptr;
    QImage mShownPicture2;
};

// The design window's caption.
inline constexpr const char* kDesignWindowTitle = "Controls";

} // namespace dw::shell
