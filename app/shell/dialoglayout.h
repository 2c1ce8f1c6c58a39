#pragma once
// The layout the program's small dialogs share: their form, then OK and Cancel.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLayout>
#include <QVBoxLayout>

namespace dw::shell {

inline void layOutWithOkCancel(QDialog& dialog, QLayout* form) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

} // namespace dw::shell
