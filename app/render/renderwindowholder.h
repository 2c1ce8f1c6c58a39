#pragma once
// Where the session keeps its render window: made on first use, let go by a close or an unload,
// and made afresh (hidden, empty, not busy) by the next use. Shared, so that a run holding the
// window across a yield keeps drawing on a live object even if the window is unloaded meanwhile.
#include <memory>

#include "render/renderwindowmodel.h"

namespace dw::render {

class RenderWindowHolder {
public:
    // No window yet. The host must outlive the holder.
    explicit RenderWindowHolder(design::Host& host);
    ~RenderWindowHolder();

    RenderWindowHolder(const RenderWindowHolder&) = delete;
    RenderWindowHolder& operator=(const RenderWindowHolder&) = delete;

    // The window, made (hidden, with an empty picture) when there is none.
    RenderWindowModel& get() { return *shared(); }
    std::shared_ptr<RenderWindowModel> shared();

    // The window if one exists; null after an unload until the next use.
    RenderWindowModel* current() const { return mWindow.get(); }

    // The close button, and the unload of a design load or of the exit: refused with the
    // window's message while it is busy (bSaving). Otherwise the window is unloaded and
    // forgotten. True when no window remains.
    bool unload();

private:
    design::Host& mHost;
    std::shared_ptr<RenderWindowModel> mWindow;
};

} // namespace dw::render
