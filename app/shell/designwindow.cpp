#include "shell/designwindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "design/colourtools.h"
#include "run/designersession.h"
#include "shell/controlbinder.h"
#include "shell/livepreview.h"
#include "shell/shellcontext.h"
#include "shell/twips.h"

namespace dw::shell {

namespace {

constexpr int kStartWidthTwips = 7320;
constexpr int kStartHeightTwips = 5910;
// Picture2 is a preview of the face: large pictures are shown scaled down to this.
constexpr int kPicture2MaxWidth = 240;
constexpr int kPicture2MaxHeight = 180;

} // namespace

DesignWindow::DesignWindow(ShellContext& context, QWidget* parent)
    : QWidget(parent), mContext(context) {
    setObjectName("frmControls");
    setWindowTitle(kDesignWindowTitle);
    // First among the children, so it goes first and never refreshes controls being destroyed.
    mBinder = new ControlBinder(context, objectName(), this);
    mLivePreview = new LivePreview(context, this);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(4, 4, 4, 4);
    for (QGroupBox* frame : {handFrame(), colourToolsFrame(), centreFrame(), innerCircleFrame(),
                             reflectionsFrame(), positionersFrame(), timeFrame(), bitmapFrame(),
                             eraseFrame(), digitalFrame(), pictureFrame()}) {
        column->addWidget(frame);
    }
    column->addStretch(1);

    // Small start size, many frames: they scroll, and none is hidden behind a tab.
    auto* scroll = new QScrollArea;
    scroll->setObjectName("scrollControls");
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(&context, &ShellContext::designChanged, this, &DesignWindow::showPicture2);
    // The window opens with "nothing picked" shown, as a pick of colour 0.
    design::getColorValues(context.session().design(), 0);
    mBinder->refresh();
    showPicture2();
}

QSize DesignWindow::sizeHint() const {
    return twipsToPixels(kStartWidthTwips, kStartHeightTwips, this);
}

QGroupBox* DesignWindow::pictureFrame() {
    auto* box = new QGroupBox(tr("Main picture"));
    auto* layout = new QVBoxLayout(box);
    auto* live = new QCheckBox(tr("Live preview"));
    live->setObjectName("chkLivePreview");
    live->setToolTip(tr("Show a still of the design at its start time in the render window "
                        "after each edit"));
    connect(live, &QCheckBox::toggled, mLivePreview, &LivePreview::setEnabled);
    layout->addWidget(live);
    mPicture2 = new QLabel;
    mPicture2->setObjectName("Picture2");
    mPicture2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(mPicture2);
    return box;
}

// Picture2 changes with loads and unloads of the main picture; the copy shown is only redone
// when the picture did change, since this runs after every keystroke.
void DesignWindow::showPicture2() {
    const design::Picture& picture = mContext.session().Picture2();
    if (picture.isEmpty()) {
        if (!mShownPicture2.isNull()) {
            mShownPicture2 = QImage();
            mPicture2->clear();
        }
        return;
    }
    const QImage image = picture.view();
    if (image == mShownPicture2) {
        return;
    }
    mShownPicture2 = image.copy();
    QPixmap pixmap = QPixmap::fromImage(mShownPicture2);
    if (pixmap.width() > kPicture2MaxWidth || pixmap.height() > kPicture2MaxHeight) {
        pixmap = pixmap.scaled(kPicture2MaxWidth, kPicture2MaxHeight, Qt::KeepAspectRatio,
                               Qt::SmoothTransformation);
    }
    mPicture2->setPixmap(pixmap);
}

} // namespace dw::shell
