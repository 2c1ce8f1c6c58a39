#pragma once
// The design window's live preview: while it is on, a still of the design at its start time is
// drawn into the render window a short moment after each edit, so that typing a run of digits
// draws once. Never while a run goes or a command is under way.
#include <QObject>
#include <QTimer>

namespace dw::shell {

class ShellContext;

class LivePreview : public QObject {
    Q_OBJECT
public:
    // How long after the last edit the still is drawn.
    static constexpr int kDelayMs = 100;

    // Off. The context must outlive the preview.
    explicit LivePreview(ShellContext& context, QObject* parent = nullptr);

    bool isEnabled() const { return mEnabled; }
    // Switching on draws a still after the delay; switching off leaves the render window as it is.
    void setEnabled(bool enabled);

    // How many stills have been drawn (for tests and the status of the feature).
    int stillsDrawn() const { return mStills; }

private:
    void schedule();
    void draw();

    ShellContext& mContext;
    QTimer mTimer;
    bool mEnabled = false;
    bool mPending = false;
    int mStills = 0;
};

} // namespace dw::shell
