#include "shell/sheetexportdialog.h"

#include "sheet/sheetoptiontexts.h"

namespace dw::shell {

namespace {

std::string valueOf(const FormValues& values, const std::string& key) {
    const auto found = values.find(key);
    return found != values.end() ? found->second : std::string();
}

// How a reason is led in, by field: the times name their bad entry after a colon.
std::string fieldLead(sheet::SheetField field) {
    switch (field) {
    case sheet::SheetField::Times:
        return "Times: ";
    case sheet::SheetField::Columns:
        return "Columns ";
    case sheet::SheetField::Scale:
        return "Scale ";
    }
    return {};
}

} // namespace

SheetExportDialog::SheetExportDialog() {
    mRequest.name = "dlgExportSheet";
    mRequest.title = "Export Contact Sheet";
    mRequest.fields = {
        {"txtTimes", "&Times:", FieldKind::Text,
         "clock times H:MM or H:MM:SS, hours 0 to 23, separated by commas; blank: the hard "
         "moments of a clock face"},
        {"txtColumns", "&Columns:", FieldKind::Text,
         "stills a row; blank: as near a square as can be"},
        {"txtScale", "&Scale:", FieldKind::Text,
         "size of each still against the frame, above 0 and at most 8"},
    };
    mRequest.values = {{"txtTimes", ""}, {"txtColumns", ""}, {"txtScale", "1"}};
}

std::optional<sheet::SheetOptions> SheetExportDialog::read(const FormValues& values,
                                                           std::string* problem) const {
    sheet::SheetOptionProblem bad;
    auto options = sheet::readSheetOptions(
        {valueOf(values, "txtTimes"), valueOf(values, "txtColumns"), valueOf(values, "txtScale")},
        &bad);
    if (!options) {
        *problem = fieldLead(bad.field) + bad.reason;
    }
    return options;
}

} // namespace dw::shell
