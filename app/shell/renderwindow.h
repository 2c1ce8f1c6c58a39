#pragma once
// The render window, frmRender: previews and the frames a run composes, in Picture1 at (0, 0),
// the window fitted to the picture. The picture is the session's render window model of the
// moment, looked up at each paint.
#include <QWidget>

namespace dw::shell {

class ShellContext;

class RenderWindow : public QWidget {
    Q_OBJECT
public:
    explicit RenderWindow(ShellContext& context, QWidget* parent = nullptr);

    // Takes the model's picture size and repaints. True when the size changed.
    bool refresh();

    QWidget* Picture1() const { return mPicture1; }
    QSize sizeHint() const override;

private:
    ShellContext& mContext;
    QWidget* mPicture1 = nullptr;
};

} // namespace dw::shell
