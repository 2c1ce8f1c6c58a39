#include "design/designwriter.h"

#include "design/inivalues.h"
#include "design/toolbarbuttons.h"

namespace dw::design {

std::string iniValueText(const IniKey& entry, const ClockDesign& design,
                         const ToolbarButtons& toolbar) {
    switch (entry.form) {
    case ValueForm::Version:
        return std::string(kIniVersionText);
    case ValueForm::NumberText:
    case ValueForm::Text:
    case ValueForm::FileName:
        return design.*entry.text;
    case ValueForm::ReformattedNumber:
        return reformattedNumberText(design.*entry.text);
    case ValueForm::Check:
    case ValueForm::Integer:
        return std::to_string(design.*entry.number);
    case ValueForm::Flag:
        return std::to_string(toolbar.getToolbarButton(entry.button));
    case ValueForm::Boolean:
        return booleanText(design.*entry.boolean);
    }
    return {};
}

bool writeDesign(IniFile& file, const ClockDesign& design, const ToolbarButtons& toolbar) {
    // One save for all keys: a write that fails part-way must neither leave a half-written
    // design nor pass for a finished save.
    std::vector<platform::ProfileEntry> entries;
    entries.reserve(iniKeys().size());
    for (const IniKey& entry : iniKeys()) {
        entries.emplace_back(std::string(entry.key), iniValueText(entry, design, toolbar));
    }
    return file.writeIniValues(entries);
}

} // namespace dw::design
