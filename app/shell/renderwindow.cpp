#include "shell/renderwindow.h"

#include "run/designersession.h"
#include "shell/pictureboxfilter.h"
#include "shell/shellcontext.h"

namespace dw::shell {

namespace {
constexpr QSize kEmptyPictureSize(160, 40);
} // namespace

RenderWindow::RenderWindow(ShellContext& context, QWidget* parent)
    : QWidget(parent), mContext(context) {
    setObjectName(render::kRenderWindow);
    setWindowTitle("Render");
    mPicture1 = makePictureBox(
        "Picture1",
        [this]() -> const design::Picture* {
            render::RenderWindowModel* model = mContext.session().renderWindowHolder().current();
            return model != nullptr ? &model->Picture1() : nullptr;
        },
        this);
    refresh();
}

bool RenderWindow::refresh() {
    const render::RenderWindowModel* model = mContext.session().renderWindowHolder().current();
    QSize size = kEmptyPictureSize;
    if (model != nullptr && !model->Picture1().isEmpty()) {
        size = QSize(model->Picture1().width(), model->Picture1().height());
    }
    const bool resized = mPicture1->size() != size;
    if (resized) {
        mPicture1->setFixedSize(size);
        updateGeometry();
    }
    mPicture1->update();
    return resized;
}

QSize RenderWindow::sizeHint() const {
    return mPicture1->size();
}

} // namespace dw::shell
