#include "shell/picturewindow.h"

#include <optional>

#include <QMouseEvent>

#include "run/designersession.h"
#include "shell/shellcontext.h"
#include "shell/zoomsteps.h"

namespace dw::shell {

namespace {

// An empty window (its picture failed to load) still shows its caption.
constexpr QSize kEmptyPictureSize(160, 40);

// The buttons the tools know; others are not theirs.
std::optional<render::MouseButton> toolButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return render::MouseButton::Left;
    case Qt::RightButton:
        return render::MouseButton::Right;
    case Qt::MiddleButton:
        return render::MouseButton::Middle;
    default:
        return std::nullopt;
    }
}

// Ctrl with the right button opens the zoom menu instead of reaching the tools.
bool opensZoomMenu(const QMouseEvent& event) {
    return event.button() == Qt::RightButton && event.modifiers().testFlag(Qt::ControlModifier);
}

} // namespace

PictureWindow::PictureWindow(ShellContext& context, design::PictureSlot slot,
                             std::weak_ptr<design::PictureWindowModel> model, QWidget* parent)
    : PictureView(
          [this]() -> const design::Picture* {
              // The weak reference is taken again at each paint; the model may be gone.
              const auto shown = mModel.lock();
              return shown ? &shown->Picture1() : nullptr;
          },
          MenuClick::CtrlRight, parent),
      mContext(context), mSlot(slot), mModel(std::move(model)) {
    setObjectName(design::PictureWindowModel::kWindowClass);
    // The position read-out follows the pointer with no button held too.
    Picture1()->setMouseTracking(true);
    refresh();
}

bool PictureWindow::shows(const design::PictureWindowModel* model) const {
    return model != nullptr && mModel.lock().get() == model;
}

bool PictureWindow::current() const {
    return shows(mContext.session().pictures().window(mSlot).get());
}

bool PictureWindow::refresh() {
    const auto model = mModel.lock();
    if (!model) {
        return false;
    }
    setWindowTitle(QString::fromStdString(model->caption()));
    const QSize natural = model->Picture1().isEmpty()
                              ? QSize()
                              : QSize(model->scaleWidth(), model->scaleHeight());
    return showPictureOfSize(natural, kEmptyPictureSize, model->takeChangedArea());
}

bool PictureWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        // The second press of a quick double click comes as this alone: a click like any other.
        case QEvent::MouseButtonDblClick:
            pressed(*static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            moved(*static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            released(*static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::Leave:
            emit pointerColourChanged(QString());
            break;
        default:
            break;
        }
    }
    return PictureView::eventFilter(watched, event);
}

// A click may show a message, during which a command may unload this window: nothing of the
// window is used once the session has the event.
void PictureWindow::pressed(const QMouseEvent& event) {
    const std::optional<render::MouseButton> button = toolButton(event.button());
    if (!button || opensZoomMenu(event) || !current()) {
        return;
    }
    const QPointF at = pictureAt(event.position(), zoom());
    ShellContext& context = mContext;
    const design::PictureSlot slot = mSlot;
    context.runCommand([&context, slot, &button, at] {
        context.session().pictureMouseDown(slot, *button, at.x(), at.y());
    });
}

void PictureWindow::moved(const QMouseEvent& event) {
    if (!current()) {
        return;
    }
    const QPointF at = pictureAt(event.position(), zoom());
    run::DesignerSession& session = mContext.session();
    // Read before the tools draw their marks at the pointer.
    emit pointerColourChanged(QString::fromStdString(session.pointerColourText(mSlot, at.x(), at.y())));
    // Nothing of the design changes on a move: no command, no refresh of every control.
    session.pictureMouseMove(mSlot, event.buttons() != Qt::NoButton, at.x(), at.y());
}

void PictureWindow::released(const QMouseEvent& event) {
    if (!toolButton(event.button()) || opensZoomMenu(event) || !current()) {
        return;
    }
    const QPointF at = pictureAt(event.position(), zoom());
    ShellContext& context = mContext;
    const design::PictureSlot slot = mSlot;
    context.runCommand([&context, slot, at] { context.session().pictureMouseUp(slot, at.x()); });
}

} // namespace dw::shell
