#pragma once
// The advanced settings window (frmAdvancedControls): the four-point vector hands, the
// straighten option, the analog drawing order and the digital read-out, bound live to the record.
// The main window creates it hidden and only ever hides it until the program ends.
#include <QWidget>

class QGroupBox;
class QListWidget;

namespace dw::shell {

class ControlBinder;
class ShellContext;

class AdvancedSettingsWindow : public QWidget {
    Q_OBJECT
public:
    // The context must outlive the window.
    explicit AdvancedSettingsWindow(ShellContext& context, QWidget* parent = nullptr);

    // The size View -> Advanced Controls gives it: 7080 x 6870 twips at the screen's resolution.
    QSize sizeHint() const override;

    // The six drawing orders of lstDisplayOrder, in list order.
    static const QStringList& displayOrders();

private:
    // One frame each (advancedsettingswindow_vectors.cpp, advancedsettingswindow_digital.cpp).
    QGroupBox* vectorFrame();
    QGroupBox* orderFrame();
    QGroupBox* digitalFrame();
    void setDisplayOrder();

    ShellContext& mContext;
    ControlBinder* mBinder = nullptr;
    QListWidget* mOrderList = nullptr;
};

// The advanced settings window's caption.
inline constexpr const char* kAdvancedSettingsWindowTitle = "Advanced Controls";

} // namespace dw::shell
