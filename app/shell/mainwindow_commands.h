#pragma once
// The commands that menu items and toolbar buttons run, shared by both tables: each takes the
// main window and calls one operation through the shell context's command path.
#include "run/designersession.h"
#include "shell/mainwindow.h"
#include "shell/shellcontext.h"

namespace dw::shell::commands {

using Action = void (*)(MainWindow&);

// A session operation that edits the design (its changes become one undo step).
template <auto Operation> void edit(MainWindow& window) {
    window.context().runCommand([&window] { (window.session().*Operation)(); });
}

// A session operation that runs, saves or shows: never an undo step.
template <auto Operation> void run(MainWindow& window) {
    window.context().runCommand([&window] { (window.session().*Operation)(); },
                                {.effect = CommandEffect::Run});
}

// A design load or File -> New: the undo history starts afresh unless the dialog was cancelled.
template <auto Operation> void file(MainWindow& window) {
    window.context().runFileCommand([&window] { return (window.session().*Operation)(); });
}

// A main-window operation, also through the command path so that the windows refresh after it.
template <void (MainWindow::*Operation)()> void own(MainWindow& window) {
    window.runCommand([&window] { (window.*Operation)(); });
}

} // namespace dw::shell::commands
