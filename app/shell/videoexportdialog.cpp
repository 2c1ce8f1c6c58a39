#include "shell/videoexportdialog.h"

#include <filesystem>
#include <utility>

#include "design/clockdesign.h"
#include "design/optionvalues.h"
#include "video/containers.h"

namespace dw::shell {

namespace {

std::vector<const video::VideoCodec*> codecsFor(const std::string& path) {
    const video::Container* container = video::containerForFile(path);
    return container != nullptr ? video::availableCodecs(*container)
                                : std::vector<const video::VideoCodec*>{};
}

std::vector<FieldChoice> codecChoices(const std::vector<const video::VideoCodec*>& codecs) {
    std::vector<FieldChoice> choices;
    for (const video::VideoCodec* codec : codecs) {
        choices.push_back({codec->name, codec->name + " - " + codec->description});
    }
    return choices;
}

// A setting is offered when one of the container's codecs takes it (a GIF takes neither).
template <bool video::VideoCodec::*Takes>
bool anyTakes(const std::vector<const video::VideoCodec*>& codecs) {
    for (const video::VideoCodec* codec : codecs) {
        if (codec->*Takes) {
            return true;
        }
    }
    return false;
}

// A blank number field leaves the setting to the codec, as 0 does.
std::string numberText(const FormValues& values, const std::string& key) {
    const auto found = values.find(key);
    const std::string text = found != values.end() ? found->second : "";
    return text.find_first_not_of(' ') == std::string::npos ? "0" : text;
}

} // namespace

VideoExportDialog::VideoExportDialog(const std::string& path, const design::ClockDesign& design)
    : mPath(path) {
    mRequest.name = "dlgExportVideo";
    mRequest.title = "Export Video: " + std::filesystem::path(path).filename().string();
    const auto codecs = codecsFor(path);
    const FormField bitrate{"txtBitrate", "&Bitrate (kbit/s):", FieldKind::Text,
                            "0 or blank: the codec's default"};
    const FormField keyFrames{"txtKeyFrames", "&Key frame every:", FieldKind::Text,
                              "frames from one key frame to the next; 0 or blank: the codec's "
                              "default"};
    mRequest.fields = {{"cboCodec", "&Codec:", FieldKind::Choice,
                        "the first is the container's default", codecChoices(codecs)}};
    if (anyTakes<&video::VideoCodec::takesBitrate>(codecs)) {
        mRequest.fields.push_back(bitrate);
    }
    if (anyTakes<&video::VideoCodec::takesKeyFrames>(codecs)) {
        mRequest.fields.push_back(keyFrames);
    }
    mRequest.fields.push_back({"txtDuration", "&Duration (s):", FieldKind::Text,
                               "seconds of clock time for this export; the design keeps its own"});
    mRequest.fields.push_back(
        {"chkCfr", "Constant &frame rate", FieldKind::Check,
         "every copy a frame of its own, for players and editors that need it"});
    mRequest.values = {{"cboCodec", codecs.empty() ? "" : codecs.front()->name},
                       {"txtBitrate", "0"},
                       {"txtKeyFrames", "0"},
                       {"txtDuration", design.duration},
                       {"chkCfr", "0"}};
}

std::optional<VideoExportChoice> VideoExportDialog::read(const FormValues& values,
                                                         std::string* problem) const {
    const auto value = [&values](const std::string& key) {
        const auto found = values.find(key);
        return found != values.end() ? found->second : std::string();
    };
    const std::string bitrate = numberText(values, "txtBitrate");
    const std::string keyFrames = numberText(values, "txtKeyFrames");
    const std::pair<const char*, std::string> numbers[] = {{"Bitrate", bitrate},
                                                           {"Key frames", keyFrames}};
    for (const auto& [name, text] : numbers) {
        if (const std::string reason = design::wholeNumberProblem(text, 0); !reason.empty()) {
            *problem = std::string(name) + " " + reason;
            return std::nullopt;
        }
    }
    VideoExportChoice choice;
    choice.options.path = mPath;
    choice.options.codec = value("cboCodec");
    choice.options.bitrateKbps = design::parseWholeNumber(bitrate).value_or(0);
    choice.options.keyFrameEvery = design::parseWholeNumber(keyFrames).value_or(0);
    choice.options.constantFrameRate = value("chkCfr") == "1";
    choice.duration = value("txtDuration");
    if (std::string reason = video::checkVideoOptions(choice.options); !reason.empty()) {
        *problem = std::move(reason);
        return std::nullopt;
    }
    return choice;
}

} // namespace dw::shell
