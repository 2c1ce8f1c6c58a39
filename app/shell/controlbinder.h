#pragma once
// The one binder between the windows' controls and the design record. Each window declares its
// frames as tables of cells (a caption, a bound box, check or label, or a button with the
// session operation it runs); the binder creates the widgets under their object names, writes
// every edit into the record at once through the command path, and shows the record again
// after every command.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "shell/shellcontext.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace dw::design {
struct ClockDesign;
}

namespace dw::shell {

using TextField = std::string design::ClockDesign::*;
using CheckField = std::int16_t design::ClockDesign::*;
// A session operation run after a bound value changes: in the same command as the user's edit
// or click, and for a box also when a refresh (a load, an undo) shows it a new text.
using SessionOperation = void (run::DesignerSession::*)();
// What a button does; a plain function, so the tables stay data.
using ButtonAction = void (*)(run::DesignerSession&);

enum class CellKind { Caption, Edit, Check, Label, Button };

struct Cell {
    CellKind kind = CellKind::Caption;
    const char* name = nullptr;    // object name; for a caption, the object name of its buddy
    const char* caption = nullptr; // caption text, check or button caption ("&" access keys)
    TextField text = nullptr;      // edit box or label
    CheckField check = nullptr;    // check box
    SessionOperation afterChange = nullptr;
    ButtonAction action = nullptr;
    int row = 0;
    int column = 0;
    int columnSpan = 1;
};

// Table entries. Edits take number text or text as typed; `wide` boxes hold free text.
constexpr Cell caption(const char* text, int row, int column, const char* buddy = nullptr,
                       int span = 1) {
    return {.kind = CellKind::Caption,
            .name = buddy,
            .caption = text,
            .row = row,
            .column = column,
            .columnSpan = span};
}
constexpr Cell edit(const char* name, TextField field, int row, int column, int span = 1,
                    SessionOperation afterChange = nullptr) {
    return {.kind = CellKind::Edit,
            .name = name,
            .text = field,
            .afterChange = afterChange,
            .row = row,
            .column = column,
            .columnSpan = span};
}
constexpr Cell checkBox(const char* name, const char* text, CheckField field, int row, int column,
                        int span = 1, SessionOperation afterChange = nullptr) {
    return {.kind = CellKind::Check,
            .name = name,
            .caption = text,
            .check = field,
            .afterChange = afterChange,
            .row = row,
            .column = column,
            .columnSpan = span};
}
constexpr Cell label(const char* name, TextField field, int row, int column, int span = 1) {
    return {.kind = CellKind::Label,
            .name = name,
            .text = field,
            .row = row,
            .column = column,
            .columnSpan = span};
}
constexpr Cell button(const char* name, const char* text, ButtonAction action, int row, int column,
                      int span = 1) {
    return {.kind = CellKind::Button,
            .name = name,
            .caption = text,
            .action = action,
            .row = row,
            .column = column,
            .columnSpan = span};
}

// How a frame places its cells: on one grid (columns line up), or row by row (each row packed
// from the left in column order).
enum class FrameLayout { Grid, Rows };

class ControlBinder : public QObject {
    Q_OBJECT
public:
    // `windowName` keeps the merge keys of two windows apart. The context must outlive the
    // binder; refreshes follow its designChanged.
    ControlBinder(ShellContext& context, QString windowName, QObject* parent = nullptr);

    // A titled frame (QGroupBox; no title, no frame line) holding the cells. Never fails.
    QGroupBox* frame(const QString& title, std::span<const Cell> cells,
                     FrameLayout layout = FrameLayout::Grid);

    // One cell's widget, bound; for controls placed outside any frame.
    QWidget* create(const Cell& cell);

    // Shows the record in every bound control. Runs after every command.
    void refresh();

private:
    struct Binding {
        CellKind kind = CellKind::Edit;
        QWidget* widget = nullptr;
        TextField text = nullptr;
        CheckField check = nullptr;
        SessionOperation afterChange = nullptr;
    };

    QLineEdit* createEdit(const Cell& cell);
    QCheckBox* createCheck(const Cell& cell);
    QLabel* createLabel(const Cell& cell);
    QWidget* createButton(const Cell& cell);
    void resolveBuddies(const std::vector<std::pair<QLabel*, const char*>>& captions,
                        QWidget* scope);

    ShellContext& mContext;
    QString mWindowName;
    std::vector<Binding> mBindings;
    bool mRefreshing = false; // the record is being shown: box changes are not edits
};

} // namespace dw::shell
