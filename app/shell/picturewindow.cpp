#include "shell/picturewindow.h"

#include "shell/pictureboxfilter.h"

namespace dw::shell {

namespace {
// An empty window (its picture failed to load) still shows its caption.
constexpr QSize kEmptyPictureSize(160, 40);
} // namespace

PictureWindow::PictureWindow(ShellContext& context, design::PictureSlot slot,
                             std::weak_ptr<design::PictureWindowModel> model, QWidget* parent)
    : QWidget(parent), mContext(context), mSlot(slot), mModel(std::move(model)) {
    setObjectName(design::PictureWindowModel::kWindowClass);
    mPicture1 = makePictureBox(
        "Picture1",
        [this]() -> const design::Picture* {
            // The weak reference is taken again at each paint; the model may be gone.
            const auto model = mModel.lock();
            return model ? &model->Picture1() : nullptr;
        },
        this);
    refresh();
}

bool PictureWindow::shows(const design::PictureWindowModel* model) const {
    return model != nullptr && mModel.lock().get() == model;
}

bool PictureWindow::refresh() {
    const auto model = mModel.lock();
    if (!model) {
        return false;
    }
    setWindowTitle(QString::fromStdString(model->caption()));
    const QSize size = model->Picture1().isEmpty()
                           ? kEmptyPictureSize
                           : QSize(model->scaleWidth(), model->scaleHeight());
    const bool resized = mPicture1->size() != size;
    if (resized) {
        mPicture1->setFixedSize(size);
        updateGeometry();
    }
    // A run tells only the area its hands changed; repainting just that keeps the view cheap.
    const std::optional<QRect> changed = model->takeChangedArea();
    if (changed && !resized) {
        mPicture1->update(*changed);
    } else {
        mPicture1->update();
    }
    return resized;
}

QSize PictureWindow::sizeHint() const {
    return mPicture1->size();
}

} // namespace dw::shell
