#pragma once
// A picture window, frmGenBitmap: the picture of one slot at its natural size in Picture1, at
// (0, 0), the window fitted to it (zoom aside). It follows its model through the host's window
// events and holds it weakly, so a slot that is unloaded or refilled never leaves it with a dead
// model. The mouse over Picture1 goes to the session's tools in picture pixels.
#include <memory>

#include "design/pictureslots.h"
#include "shell/pictureview.h"

class QMouseEvent;

namespace dw::shell {

class ShellContext;

class PictureWindow : public PictureView {
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

signals:
    // The colour under the pointer as its read-out shows it; empty when the pointer left.
    void pointerColourChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the slot still holds this window's model: events for a model the slot let go
    // would reach the tools of the picture that replaced it.
    bool current() const;
    void pressed(const QMouseEvent& event);
    void moved(const QMouseEvent& event);
    void released(const QMouseEvent& event);

    ShellContext& mContext;
    design::PictureSlot mSlot;
    std::weak_ptr<design::PictureWindowModel> mModel;
};

} // namespace dw::shell
