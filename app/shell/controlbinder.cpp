#include "shell/controlbinder.h"

#include <algorithm>

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "design/clockdesign.h"
#include "run/designersession.h"

namespace dw::shell {

namespace {

Qt::CheckState checkStateOf(std::int16_t value) {
    if (value == 2) {
        return Qt::PartiallyChecked;
    }
    return value == 1 ? Qt::Checked : Qt::Unchecked;
}

std::int16_t checkValueOf(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

// A box keeps Ctrl+Z and Ctrl+Shift+Z to itself unless told otherwise; the design's history
// should have them, so that undo in a box is the same undo as everywhere else.
class HistoryKeysFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z)) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// Room for four digits: colours, widths and percentages fit, longer text scrolls.
int numberBoxWidth(const QWidget& box) {
    return QFontMetrics(box.font()).horizontalAdvance(QStringLiteral("0000")) + 12;
}

// The windows start small; rows of many boxes fit them with tighter spacing.
constexpr int kRowSpacing = 4;
constexpr int kFrameMargin = 6;

QString textOf(const std::string& value) {
    return QString::fromStdString(value);
}

} // namespace

ControlBinder::ControlBinder(ShellContext& context, QString windowName, QObject* parent)
    : QObject(parent), mContext(context), mWindowName(std::move(windowName)) {
    connect(&mContext, &ShellContext::designChanged, this, &ControlBinder::refresh);
}

QGroupBox* ControlBinder::frame(const QString& title, std::span<const Cell> cells,
                                FrameLayout layout) {
    auto* box = new QGroupBox(title);
    std::vector<std::pair<QLabel*, const char*>> captions;
    auto* grid = layout == FrameLayout::Grid ? new QGridLayout(box) : nullptr;
    QVBoxLayout* rows = grid ? nullptr : new QVBoxLayout(box);
    box->layout()->setContentsMargins(kFrameMargin, kFrameMargin, kFrameMargin, kFrameMargin);
    std::vector<QHBoxLayout*> rowLayouts;
    int lastColumn = 0;
    for (const Cell& cell : cells) {
        QWidget* widget = create(cell);
        if (cell.kind == CellKind::Caption && cell.name) {
            captions.emplace_back(static_cast<QLabel*>(widget), cell.name);
        }
        if (grid) {
            grid->addWidget(widget, cell.row, cell.column, 1, cell.columnSpan);
            lastColumn = std::max(lastColumn, cell.column + cell.columnSpan);
            continue;
        }
        while (static_cast<int>(rowLayouts.size()) <= cell.row) {
            rowLayouts.push_back(new QHBoxLayout);
            rowLayouts.back()->setSpacing(kRowSpacing);
            rows->addLayout(rowLayouts.back());
        }
        rowLayouts[cell.row]->addWidget(widget);
    }
    if (grid) {
        // Spare width goes to the right of the last column, so boxes keep their size.
        grid->setColumnStretch(lastColumn, 1);
    }
    for (QHBoxLayout* row : rowLayouts) {
        row->addStretch(1);
    }
    resolveBuddies(captions, box);
    return box;
}

QWidget* ControlBinder::create(const Cell& cell) {
    switch (cell.kind) {
    case CellKind::Edit:
        return createEdit(cell);
    case CellKind::Check:
        return createCheck(cell);
    case CellKind::Label:
        return createLabel(cell);
    case CellKind::Button:
        return createButton(cell);
    case CellKind::Caption:
        break;
    }
    return new QLabel(QString::fromUtf8(cell.caption));
}

QLineEdit* ControlBinder::createEdit(const Cell& cell) {
    auto* box = new QLineEdit;
    box->setObjectName(cell.name);
    if (cell.columnSpan == 1) {
        box->setFixedWidth(numberBoxWidth(*box));
    }
    box->installEventFilter(new HistoryKeysFilter(box));
    const TextField field = cell.text;
    const SessionOperation after = cell.afterChange;
    const QString mergeKey = mWindowName + '.' + cell.name;
    // textChanged, not textEdited: a box's own undo or a paste must reach the record too.
    connect(box, &QLineEdit::textChanged, this, [this, field, after, mergeKey](const QString& text) {
        if (mRefreshing) {
            return;
        }
        const std::string typed = text.toStdString();
        mContext.runCommand(
            [this, field, after, &typed] {
                run::DesignerSession& session = mContext.session();
                session.design().*field = typed;
                if (after) {
                    (session.*after)();
                }
            },
            {.mergeKey = mergeKey});
    });
    connect(box, &QLineEdit::editingFinished, this, [this] { mContext.undoHistory().endTyping(); });
    mBindings.push_back({CellKind::Edit, box, field, nullptr, after});
    return box;
}

QCheckBox* ControlBinder::createCheck(const Cell& cell) {
    auto* box = new QCheckBox(QString::fromUtf8(cell.caption));
    box->setObjectName(cell.name);
    const CheckField field = cell.check;
    const SessionOperation after = cell.afterChange;
    // clicked comes from the user alone (mouse, space, access key), never from a refresh.
    connect(box, &QCheckBox::clicked, this, [this, box, field, after] {
        const std::int16_t value = checkValueOf(box->checkState());
        mContext.runCommand([this, field, after, value] {
            run::DesignerSession& session = mContext.session();
            session.design().*field = value;
            if (after) {
                (session.*after)();
            }
        });
    });
    mBindings.push_back({CellKind::Check, box, nullptr, field});
    return box;
}

QLabel* ControlBinder::createLabel(const Cell& cell) {
    auto* text = new QLabel;
    text->setObjectName(cell.name);
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mBindings.push_back({CellKind::Label, text, cell.text, nullptr});
    return text;
}

QWidget* ControlBinder::createButton(const Cell& cell) {
    auto* push = new QPushButton(QString::fromUtf8(cell.caption));
    push->setObjectName(cell.name);
    const ButtonAction action = cell.action;
    connect(push, &QPushButton::clicked, this, [this, action] {
        mContext.runCommand([this, action] { action(mContext.session()); });
    });
    return push;
}

void ControlBinder::resolveBuddies(const std::vector<std::pair<QLabel*, const char*>>& captions,
                                   QWidget* scope) {
    for (const auto& [text, buddyName] : captions) {
        if (auto* buddy = scope->findChild<QWidget*>(buddyName)) {
            text->setBuddy(buddy);
        }
    }
}

void ControlBinder::refresh() {
    run::DesignerSession& session = mContext.session();
    const design::ClockDesign& d = session.design();
    // The operations of boxes whose text the record changed, each run once after the refresh.
    std::vector<SessionOperation> changed;
    mRefreshing = true;
    for (const Binding& binding : mBindings) {
        switch (binding.kind) {
        case CellKind::Edit: {
            auto* box = static_cast<QLineEdit*>(binding.widget);
            const QString value = textOf(d.*binding.text);
            if (box->text() != value) {
                box->setText(value);
                if (binding.afterChange &&
                    std::find(changed.begin(), changed.end(), binding.afterChange) == changed.end()) {
                    changed.push_back(binding.afterChange);
                }
            }
            break;
        }
        case CellKind::Label: {
            auto* text = static_cast<QLabel*>(binding.widget);
            const QString value = textOf(d.*binding.text);
            if (text->text() != value) {
                text->setText(value);
            }
            break;
        }
        case CellKind::Check: {
            auto* box = static_cast<QCheckBox*>(binding.widget);
            const std::int16_t value = d.*binding.check;
            // Only a loaded 2 shows grey; a click on it then goes on to ticked, never back to grey.
            box->setTristate(value == 2);
            box->setCheckState(checkStateOf(value));
            break;
        }
        case CellKind::Caption:
        case CellKind::Button:
            break;
        }
    }
    mRefreshing = false;
    for (const SessionOperation operation : changed) {
        // Not a command: it follows one, and what it computes is not a design field.
        session.guarded([&session, operation] { (session.*operation)(); });
    }
}

} // namespace dw::shell
