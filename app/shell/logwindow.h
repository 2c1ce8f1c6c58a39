#pragma once
// The log window, frmLog: the log of design loading in one read-only text box, edtText, that
// fills the window. It shows the session's log text; closing the window discards that text.
#include <string>

#include <QWidget>

class QPlainTextEdit;

namespace dw::shell {

class LogWindow : public QWidget {
    Q_OBJECT
public:
    explicit LogWindow(QWidget* parent = nullptr);

    // Shows the log text (lines ended by CR LF), scrolled to its newest line. Text that only
    // grew is appended rather than laid out again.
    void showText(const std::string& text);

    QPlainTextEdit* edtText() const { return mText; }

private:
    QPlainTextEdit* mText = nullptr;
    std::string mShown;
};

} // namespace dw::shell
