#include "shell/livepreview.h"

#include "run/designersession.h"
#include "run/livestill.h"
#include "shell/shellcontext.h"

namespace dw::shell {

LivePreview::LivePreview(ShellContext& context, QObject* parent)
    : QObject(parent), mContext(context) {
    mTimer.setSingleShot(true);
    mTimer.setInterval(kDelayMs);
    connect(&mTimer, &QTimer::timeout, this, &LivePreview::draw);
    connect(&mContext, &ShellContext::designEdited, this, &LivePreview::schedule);
    // A still put off by a command under way is drawn once the outermost command has ended.
    connect(&mContext, &ShellContext::designChanged, this, [this] {
        if (mPending && mContext.commandDepth() == 0) {
            mPending = false;
            schedule();
        }
    });
}

void LivePreview::setEnabled(bool enabled) {
    mEnabled = enabled;
    if (enabled) {
        schedule();
    } else {
        mTimer.stop();
    }
}

void LivePreview::schedule() {
    if (mEnabled) {
        mTimer.start();
    }
}

// The timer fires from the event queue, also while a run yields or a command waits in a
// dialog; the design is not ours to draw then.
void LivePreview::draw() {
    if (!mEnabled) {
        return;
    }
    if (mContext.commandDepth() > 0) {
        mPending = true;
        return;
    }
    if (run::drawLiveStill(mContext.session())) {
        ++mStills;
    }
}

} // namespace dw::shell
