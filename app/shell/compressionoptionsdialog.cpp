#include "shell/compressionoptionsdialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "shell/dialoglayout.h"

namespace dw::shell {

namespace {

QSpinBox* settingBox(const char* name, int maximum, const QString& suffix, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, maximum);
    box->setSuffix(suffix);
    // 0 leaves the setting to the compressor.
    box->setSpecialValueText("default");
    return box;
}

} // namespace

CompressionOptionsDialog::CompressionOptionsDialog(const platform::CompressionRequest& request,
                                                   QWidget* parent)
    : QDialog(parent), mRequest(request) {
    setObjectName("dlgCompressionOptions");
    setWindowTitle("Video Compression");
    setMinimumWidth(380);

    mCompressor = new QComboBox(this);
    mCompressor->setObjectName("cboCompressor");
    for (const platform::CompressorInfo& info : mRequest.offered) {
        mCompressor->addItem(
            QString::fromStdString(info.description.empty() ? info.name : info.description));
    }
    mKeyFrames = settingBox("spnKeyFrames", 100000, " frames", this);
    mDataRate = settingBox("spnDataRate", 1000000, " kbit/s", this);
    mKeyFramesLabel = new QLabel("&Key frame every", this);
    mKeyFramesLabel->setBuddy(mKeyFrames);
    mDataRateLabel = new QLabel("&Data rate", this);
    mDataRateLabel->setBuddy(mDataRate);

    auto* form = new QFormLayout;
    form->addRow("&Compressor:", mCompressor);
    form->addRow(mKeyFramesLabel, mKeyFrames);
    form->addRow(mDataRateLabel, mDataRate);
    layOutWithOkCancel(*this, form);

    connect(mCompressor, &QComboBox::currentIndexChanged, this,
            &CompressionOptionsDialog::compressorChosen);
    compressorChosen(mCompressor->currentIndex());
}

void CompressionOptionsDialog::compressorChosen(int index) {
    const bool valid = index >= 0 && index < static_cast<int>(mRequest.offered.size());
    const platform::CompressorInfo* info =
        valid ? &mRequest.offered[static_cast<std::size_t>(index)] : nullptr;
    const bool keyFrames = info != nullptr && info->takesKeyFrameInterval &&
                           (mRequest.flags & platform::ICMF_CHOOSE_KEYFRAME) != 0;
    const bool dataRate = info != nullptr && info->takesDataRate &&
                          (mRequest.flags & platform::ICMF_CHOOSE_DATARATE) != 0;
    mKeyFrames->setEnabled(keyFrames);
    mKeyFramesLabel->setEnabled(keyFrames);
    mDataRate->setEnabled(dataRate);
    mDataRateLabel->setEnabled(dataRate);
}

platform::CompressionChoice CompressionOptionsDialog::choice() const {
    platform::CompressionChoice choice;
    const int index = mCompressor->currentIndex();
    if (index >= 0 && index < static_cast<int>(mRequest.offered.size())) {
        choice.codec = mRequest.offered[static_cast<std::size_t>(index)].name;
    }
    // A setting the compressor does not take is left at its default.
    choice.keyFrameEvery = mKeyFrames->isEnabled() ? mKeyFrames->value() : 0;
    choice.dataRateKbps = mDataRate->isEnabled() ? mDataRate->value() : 0;
    return choice;
}

std::optional<platform::CompressionChoice>
CompressionOptionsDialog::ask(const platform::CompressionRequest& request, QWidget* parent) {
    CompressionOptionsDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

} // namespace dw::shell
