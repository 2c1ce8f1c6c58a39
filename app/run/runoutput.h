#pragma once
// Where a run's frames go: only to the screen (a test) or also to an export.
#include <cstdint>
#include <memory>
#include <string>

#include "run/framesink.h"

namespace dw::run {

struct RunOutput {
    bool save = false;                    // false: frames are only shown; true: also exported
    std::string fileName;                 // the AVI file; empty for a test
    std::int32_t framesPerSecond = 1;     // the copy frame rate, at least 1; the file's frame rate
    std::shared_ptr<FrameSink> frameSink; // when set, an export goes here instead of to the
                                          // AVI writer (fileName is then not used)
};

} // namespace dw::run
