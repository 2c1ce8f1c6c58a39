#include "shell/designsnapshot.h"

#include "design/inikeys.h"
#include "run/designersession.h"

namespace dw::shell {

namespace {

using design::ClockDesign;
using design::IniKey;
using design::ValueForm;

IniKey textField(std::string_view name, std::string ClockDesign::*field) {
    return {.key = name, .form = ValueForm::Text, .text = field};
}
IniKey flagField(std::string_view button) {
    return {.key = button, .form = ValueForm::Flag, .button = button};
}
IniKey numberField(std::string_view name, std::int16_t ClockDesign::*field) {
    return {.key = name, .form = ValueForm::Integer, .number = field};
}

// The saved keys (less the version and the picture names), the typed boxes that a load confirms
// positions from, and the fields without a key that the windows show.
std::vector<IniKey> buildTrackedFields() {
    std::vector<IniKey> fields;
    for (const IniKey& key : design::iniKeys()) {
        if (key.form == ValueForm::Version || key.form == ValueForm::FileName) {
            continue;
        }
        fields.push_back(key);
    }
    fields.push_back(textField("edtBMPX", &ClockDesign::edtBMPX));
    fields.push_back(textField("edtBMPY", &ClockDesign::edtBMPY));
    fields.push_back(textField("edtLeft", &ClockDesign::edtLeft));
    fields.push_back(textField("edtTop", &ClockDesign::edtTop));
    // Two jitter buttons are not saved, but they are the user's choice all the same.
    fields.push_back(flagField("IDM_JITTERH"));
    fields.push_back(flagField("IDM_JITTERM"));
    fields.push_back(textField("txtLeft", &ClockDesign::txtLeft));
    fields.push_back(textField("txtTop", &ClockDesign::txtTop));
    fields.push_back(numberField("eraseTopLeftX", &ClockDesign::eraseTopLeftX));
    fields.push_back(numberField("eraseTopLeftY", &ClockDesign::eraseTopLeftY));
    fields.push_back(textField("Label1", &ClockDesign::Label1));
    fields.push_back(textField("lblConfirmedBMPXY", &ClockDesign::lblConfirmedBMPXY));
    fields.push_back(textField("lblConfirmedXY", &ClockDesign::lblConfirmedXY));
    fields.push_back(textField("lblFont", &ClockDesign::lblFont));
    fields.push_back(textField("advancedLblConfirmedXY", &ClockDesign::advancedLblConfirmedXY));
    return fields;
}

const std::vector<IniKey>& trackedFields() {
    static const std::vector<IniKey> fields = buildTrackedFields();
    return fields;
}

FieldValue valueOf(const IniKey& field, run::DesignerSession& session) {
    const ClockDesign& d = session.design();
    if (field.text) {
        return d.*field.text;
    }
    if (field.number) {
        return d.*field.number;
    }
    if (field.boolean) {
        return d.*field.boolean;
    }
    return session.toolbar().getToolbarButton(field.button);
}

void setValue(const IniKey& field, run::DesignerSession& session, const FieldValue& value) {
    ClockDesign& d = session.design();
    if (field.text) {
        d.*field.text = std::get<std::string>(value);
    } else if (field.number) {
        d.*field.number = std::get<std::int16_t>(value);
    } else if (field.boolean) {
        d.*field.boolean = std::get<bool>(value);
    } else {
        session.toolbar().setToolbarButton(field.button, std::get<std::int16_t>(value));
    }
}

} // namespace

DesignSnapshot DesignSnapshot::take(run::DesignerSession& session) {
    DesignSnapshot snapshot;
    snapshot.mValues.reserve(trackedFields().size());
    for (const IniKey& field : trackedFields()) {
        snapshot.mValues.push_back(valueOf(field, session));
    }
    return snapshot;
}

FieldChanges DesignSnapshot::changesTo(const DesignSnapshot& later) const {
    FieldChanges changes;
    for (std::size_t i = 0; i < mValues.size(); ++i) {
        if (mValues[i] != later.mValues[i]) {
            changes.push_back({i, mValues[i], later.mValues[i]});
        }
    }
    return changes;
}

void DesignSnapshot::absorb(const FieldChanges& changes) {
    for (const FieldChange& change : changes) {
        mValues[change.field] = change.after;
    }
}

std::string_view DesignSnapshot::fieldName(std::size_t field) {
    return trackedFields().at(field).key;
}

void applyChanges(run::DesignerSession& session, const FieldChanges& changes, bool useAfter) {
    for (const FieldChange& change : changes) {
        setValue(trackedFields()[change.field], session, useAfter ? change.after : change.before);
    }
}

bool touchesCentre(const FieldChanges& changes) {
    for (const FieldChange& change : changes) {
        const IniKey& field = trackedFields()[change.field];
        if (field.number == &ClockDesign::centrex || field.number == &ClockDesign::centrey) {
            return true;
        }
    }
    return false;
}

} // namespace dw::shell
