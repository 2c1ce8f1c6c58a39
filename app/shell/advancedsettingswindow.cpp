#include "shell/advancedsettingswindow.h"

#include <optional>

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "design/advancedsettings.h"
#include "run/designersession.h"
#include "shell/controlbinder.h"
#include "shell/shellcontext.h"
#include "shell/twips.h"

namespace dw::shell {

namespace {

constexpr int kStartWidthTwips = 7080;
constexpr int kStartHeightTwips = 6870;

const Cell kStraightenCell =
    checkBox("chkStraighten", "&Straighten", &design::ClockDesign::ac_straighten, 0, 0);
constexpr const char* kStraightenTip =
    "Correct x positions at 0/360 and 180 degrees, and y positions at 90 and 270 degrees for "
    "high resolution pictures";

} // namespace

AdvancedSettingsWindow::AdvancedSettingsWindow(ShellContext& context, QWidget* parent)
    : QWidget(parent), mContext(context) {
    setObjectName("frmAdvancedControls");
    setWindowTitle(kAdvancedSettingsWindowTitle);
    mBinder = new ControlBinder(context, objectName(), this);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(vectorFrame());
    auto* middle = new QHBoxLayout;
    middle->addWidget(orderFrame());
    QWidget* straighten = mBinder->create(kStraightenCell);
    straighten->setToolTip(kStraightenTip);
    middle->addWidget(straighten, 0, Qt::AlignTop);
    middle->addStretch(1);
    column->addLayout(middle);
    column->addWidget(digitalFrame());
    column->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setObjectName("scrollAdvancedControls");
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    mBinder->refresh();
}

QSize AdvancedSettingsWindow::sizeHint() const {
    return twipsToPixels(kStartWidthTwips, kStartHeightTwips, this);
}

const QStringList& AdvancedSettingsWindow::displayOrders() {
    static const QStringList orders{"hms", "hsm", "mhs", "msh", "shm", "smh"};
    return orders;
}

QGroupBox* AdvancedSettingsWindow::orderFrame() {
    auto* box = new QGroupBox(tr("Analog order"));
    auto* layout = new QHBoxLayout(box);
    mOrderList = new QListWidget;
    mOrderList->setObjectName("lstDisplayOrder");
    mOrderList->addItems(displayOrders());
    // All six entries in view, no scrolling.
    mOrderList->setFixedHeight(mOrderList->sizeHintForRow(0) * displayOrders().size() +
                               2 * mOrderList->frameWidth());
    mOrderList->setFixedWidth(mOrderList->sizeHintForColumn(0) + 24);
    layout->addWidget(mOrderList);
    auto* set = new QPushButton(tr("Set Display Order"));
    set->setObjectName("cmdOrder");
    connect(set, &QPushButton::clicked, this, &AdvancedSettingsWindow::setDisplayOrder);
    layout->addWidget(set, 0, Qt::AlignTop);
    return box;
}

// The list's selection is the window's own state, so it is read here and handed to the core.
void AdvancedSettingsWindow::setDisplayOrder() {
    std::optional<std::string> selected;
    if (const QListWidgetItem* item = mOrderList->currentItem(); item && item->isSelected()) {
        selected = item->text().toStdString();
    }
    mContext.runCommand([&] { design::cmdOrder_Click(mContext.session().design(), selected); });
}

} // namespace dw::shell
