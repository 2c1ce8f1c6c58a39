#pragma once
// The contact sheet's options as a user types them (the command line's values, an options
// dialog's fields), read into SheetOptions one way for both.
#include <optional>
#include <string>

#include "sheet/contactsheet.h"

namespace dw::sheet {

struct SheetOptionTexts {
    std::string times;       // comma-separated clock times; blank: the hard moments
    std::string columns;     // blank: as near a square as the count allows
    std::string scale = "1"; // of each still
};

enum class SheetField { Times, Columns, Scale };

struct SheetOptionProblem {
    SheetField field = SheetField::Times;
    std::string reason; // follows the field's name, as clockTimesProblem and wholeNumberProblem say
};

// The options, or nullopt with `problem` set for the first value that cannot be used.
std::optional<SheetOptions> readSheetOptions(const SheetOptionTexts& texts,
                                             SheetOptionProblem* problem);

} // namespace dw::sheet
