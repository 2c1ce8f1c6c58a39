#pragma once
// The AVI writer's compression-options dialog: the compressor for the new video stream and,
// where that compressor takes them and the writer asks for them, the key-frame interval and the
// data rate.
#include <optional>

#include <QDialog>

#include "dw/platform/compressiondialog.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace dw::shell {

class CompressionOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CompressionOptionsDialog(const platform::CompressionRequest& request,
                                      QWidget* parent = nullptr);

    // The settings as the dialog shows them now.
    platform::CompressionChoice choice() const;

    // Shows the dialog modally: the choice, or nullopt when the user cancelled.
    static std::optional<platform::CompressionChoice>
    ask(const platform::CompressionRequest& request, QWidget* parent);

private:
    void compressorChosen(int index);

    platform::CompressionRequest mRequest;
    QComboBox* mCompressor = nullptr;
    QSpinBox* mKeyFrames = nullptr;
    QSpinBox* mDataRate = nullptr;
    QLabel* mKeyFramesLabel = nullptr;
    QLabel* mDataRateLabel = nullptr;
};

} // namespace dw::shell
