#include "sheet/sheetoptiontexts.h"

#include "design/optionvalues.h"

namespace dw::sheet {

namespace {

bool blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

} // namespace

std::optional<SheetOptions> readSheetOptions(const SheetOptionTexts& texts,
                                             SheetOptionProblem* problem) {
    SheetOptions options;
    const auto refuse = [problem](SheetField field, std::string reason) {
        *problem = {field, std::move(reason)};
        return std::nullopt;
    };
    if (!blank(texts.times)) {
        if (std::string reason = clockTimesProblem(texts.times); !reason.empty()) {
            return refuse(SheetField::Times, std::move(reason));
        }
        std::string bad;
        options.times = parseClockTimes(texts.times, &bad).value_or(options.times);
    }
    if (!blank(texts.columns)) {
        if (std::string reason = design::wholeNumberProblem(texts.columns, 1); !reason.empty()) {
            return refuse(SheetField::Columns, std::move(reason));
        }
        options.columns = design::parseWholeNumber(texts.columns).value_or(0);
    }
    if (std::string reason = design::scaleProblem(texts.scale); !reason.empty()) {
        return refuse(SheetField::Scale, std::move(reason));
    }
    options.scale = design::parseScale(texts.scale).value_or(1.0);
    return options;
}

} // namespace dw::sheet
