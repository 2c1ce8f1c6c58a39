#pragma once
// The options of Export -> Contact Sheet: the command line's times, columns and scale as a
// form, read back through the sheet's own reading of typed options.
#include <optional>
#include <string>

#include "sheet/contactsheet.h"
#include "shell/optionsform.h"

namespace dw::shell {

class SheetExportDialog {
public:
    SheetExportDialog();

    const FormRequest& request() const { return mRequest; }

    // The sheet options of the answered form; nullopt with `problem` set to the reason, led by
    // the field's name, for a value that cannot be used.
    std::optional<sheet::SheetOptions> read(const FormValues& values, std::string* problem) const;

private:
    FormRequest mRequest;
};

} // namespace dw::shell
