#include "shell/motionexportdialog.h"

#include "design/optionvalues.h"
#include "motion/motionplot.h"

namespace dw::shell {

MotionExportDialog::MotionExportDialog(const design::ClockDesign& design) {
    mRequest.name = "dlgExportMotion";
    mRequest.title = "Export Motion Plot";
    mRequest.fields = {{"txtSeconds", "&Seconds:", FieldKind::Text,
                        "seconds of clock time from the design's start time"}};
    mRequest.values = {{"txtSeconds", std::to_string(motion::defaultPlotSeconds(design))}};
}

std::optional<int> MotionExportDialog::read(const FormValues& values, std::string* problem) const {
    const auto found = values.find("txtSeconds");
    const std::string text = found != values.end() ? found->second : "";
    if (std::string reason = design::wholeNumberProblem(text, 1); !reason.empty()) {
        *problem = "Seconds " + reason;
        return std::nullopt;
    }
    return design::parseWholeNumber(text);
}

} // namespace dw::shell
