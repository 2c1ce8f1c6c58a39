#pragma once
// A small modal form of options, built from a table of fields: text boxes, check boxes and
// drop-down choices, each read back as text under its key. The export dialogs are such tables;
// the values are judged by the core afterwards, so a field takes whatever is typed.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

namespace dw::shell {

enum class FieldKind { Text, Check, Choice };

struct FieldChoice {
    std::string value;   // what the field reads as
    std::string caption; // what the list shows
};

struct FormField {
    std::string key;     // also the object name of the field's widget
    std::string caption; // with its & key
    FieldKind kind = FieldKind::Text;
    std::string tip = {};                  // tool tip; empty for none
    std::vector<FieldChoice> choices = {}; // FieldKind::Choice only
};

// Text fields read as typed, check boxes as "1" or "0", choices as their value.
using FormValues = std::map<std::string, std::string>;

struct FormRequest {
    std::string name;  // object name of the dialog
    std::string title; // window title
    std::vector<FormField> fields;
    FormValues values; // what the fields show first
};

class OptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit OptionsForm(const FormRequest& request, QWidget* parent = nullptr);

    // Every field's value as it stands.
    FormValues values() const;

    // Shows the form modally: its values, or nullopt when cancelled.
    static std::optional<FormValues> ask(const FormRequest& request, QWidget* parent);

private:
    std::vector<FormField> mFields;
};

} // namespace dw::shell
