#pragma once
// The options of Export -> Motion Plot: the command line's seconds as a form.
#include <optional>
#include <string>

#include "shell/optionsform.h"

namespace dw::design {
struct ClockDesign;
}

namespace dw::shell {

class MotionExportDialog {
public:
    // The seconds field shows the plot's default for the design.
    explicit MotionExportDialog(const design::ClockDesign& design);

    const FormRequest& request() const { return mRequest; }

    // The seconds of the answered form; nullopt with `problem` set to the reason when they are
    // not a whole number from 1.
    std::optional<int> read(const FormValues& values, std::string* problem) const;

private:
    FormRequest mRequest;
};

} // namespace dw::shell
