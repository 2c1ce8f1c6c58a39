#pragma once
// A picture window, frmGenBitmap: the picture of one slot at its natural size in Picture1, at
// (0, 0), the window fitted to it. It follows its model through the host's window events and
// holds it weakly, so a slot that is unloaded or refilled never leaves it with a dead model.
#include <memory>

#include <QWidget>

#include "design/pictureslots.h"

namespace dw::shell {

class ShellContext;

class PictureWindow : public QWidget {
    Q_OBJECT
public:
    PictureWindow(ShellContext& context, design::PictureSlot slot,
                  std::weak_ptr<design::PictureWindowModel> model, QWidget* parent = nullptr);

    design::PictureSlot slot() const { return mSlot; }
    // The model this window shows; null once its slot let it go.
    std::shared_ptr<design::PictureWindowModel> model() const { return mModel.lock(); }
    bool shows(const design::PictureWindowModel* model) const;

    // Takes the model's caption and picture size, and repaints what changed. True when the size
    // changed.
    bool refresh();

    QWidget* Picture1() const { return mPicture1; }
    QSize sizeHint() const override;

private:
    ShellContext& mContext;
    design::PictureSlot mSlot;
    std::weak_ptr<design::PictureWindowModel> mModel;
    QWidget* mPicture1 = nullptr;
};

} // namespace dw::shell
