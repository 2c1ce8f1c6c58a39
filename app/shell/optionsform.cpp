#include "shell/optionsform.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "shell/dialoglayout.h"

namespace dw::shell {

namespace {

QWidget* makeField(const FormField& field, const std::string& value, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (field.kind) {
    case FieldKind::Text: {
        auto* edit = new QLineEdit(QString::fromStdString(value), parent);
        // Room for a list of several clock times at the font in use.
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 44);
        widget = edit;
        break;
    }
    case FieldKind::Check: {
        auto* box = new QCheckBox(QString::fromStdString(field.caption), parent);
        box->setChecked(value == "1");
        widget = box;
        break;
    }
    case FieldKind::Choice: {
        auto* list = new QComboBox(parent);
        for (const FieldChoice& choice : field.choices) {
            list->addItem(QString::fromStdString(choice.caption),
                          QString::fromStdString(choice.value));
        }
        list->setCurrentIndex(std::max(0, list->findData(QString::fromStdString(value))));
        widget = list;
        break;
    }
    }
    widget->setObjectName(QString::fromStdString(field.key));
    if (!field.tip.empty()) {
        widget->setToolTip(QString::fromStdString(field.tip));
    }
    return widget;
}

std::string valueOf(const FormField& field, const QWidget* widget) {
    switch (field.kind) {
    case FieldKind::Text:
        return static_cast<const QLineEdit*>(widget)->text().toStdString();
    case FieldKind::Check:
        return static_cast<const QCheckBox*>(widget)->isChecked() ? "1" : "0";
    case FieldKind::Choice:
        return static_cast<const QComboBox*>(widget)->currentData().toString().toStdString();
    }
    return {};
}

} // namespace

OptionsForm::OptionsForm(const FormRequest& request, QWidget* parent)
    : QDialog(parent), mFields(request.fields) {
    setObjectName(QString::fromStdString(request.name));
    setWindowTitle(QString::fromStdString(request.title));
    auto* form = new QFormLayout;
    for (const FormField& field : mFields) {
        const auto found = request.values.find(field.key);
        QWidget* widget =
            makeField(field, found != request.values.end() ? found->second : "", this);
        if (field.kind == FieldKind::Check) {
            form->addRow(widget); // a check box carries its own caption
        } else {
            auto* label = new QLabel(QString::fromStdString(field.caption), this);
            label->setBuddy(widget);
            form->addRow(label, widget);
        }
    }
    layOutWithOkCancel(*this, form);
}

FormValues OptionsForm::values() const {
    FormValues values;
    for (const FormField& field : mFields) {
        const auto* widget = findChild<QWidget*>(QString::fromStdString(field.key));
        values[field.key] = widget != nullptr ? valueOf(field, widget) : "";
    }
    return values;
}

std::optional<FormValues> OptionsForm::ask(const FormRequest& request, QWidget* parent) {
    OptionsForm form(request, parent);
    if (form.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return form.values();
}

} // namespace dw::shell
