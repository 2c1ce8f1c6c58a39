#include "shell/renderwindow.h"

#include "run/designersession.h"
#include "shell/shellcontext.h"

namespace dw::shell {

namespace {
constexpr QSize kEmptyPictureSize(160, 40);
} // namespace

RenderWindow::RenderWindow(ShellContext& context, QWidget* parent)
    : PictureView(
          [this]() -> const design::Picture* {
              render::RenderWindowModel* model =
                  mContext.session().renderWindowHolder().current();
              return model != nullptr ? &model->Picture1() : nullptr;
          },
          // No tools here: a plain right click may open the zoom menu.
          MenuClick::Right, parent),
      mContext(context) {
    setObjectName(render::kRenderWindow);
    setWindowTitle("Render");
    refresh();
}

bool RenderWindow::refresh() {
    const render::RenderWindowModel* model = mContext.session().renderWindowHolder().current();
    QSize natural;
    if (model != nullptr && !model->Picture1().isEmpty()) {
        natural = QSize(model->Picture1().width(), model->Picture1().height());
    }
    return showPictureOfSize(natural, kEmptyPictureSize);
}

} // namespace dw::shell
