#pragma once
// The render window, frmRender: previews and the frames a run composes, in Picture1 at (0, 0),
// the window fitted to the picture (zoom aside). The picture is the session's render window
// model of the moment, looked up at each paint.
#include "shell/pictureview.h"

namespace dw::shell {

class ShellContext;

class RenderWindow : public PictureView {
    Q_OBJECT
public:
    explicit RenderWindow(ShellContext& context, QWidget* parent = nullptr);

    // Takes the model's picture size and repaints. True when the size changed.
    bool refresh();

private:
    ShellContext& mContext;
};

} // namespace dw::shell
