#include "video/videoexport.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "run/designersession.h"
#include "run/runwriter.h"
#include "video/containers.h"
#include "video/ffmpegtools.h"
#include "video/videofilesink.h"

namespace dw::video {

std::string checkVideoOptions(const VideoOptions& options) {
    std::error_code error;
    if (std::filesystem::is_directory(options.path, error)) {
        return "the output " + options.path + " is a folder";
    }
    const Container* container = containerForFile(options.path);
    if (container == nullptr) {
        return "unknown extension of '" + options.path + "': the outputs are " + knownExtensions() +
               " files";
    }
    const CodecPick pick = pickCodec(*container, options.codec);
    if (pick.codec == nullptr) {
        return pick.error;
    }
    if (options.bitrateKbps > 0 && !pick.codec->takesBitrate) {
        return "codec " + pick.codec->name + " takes no --bitrate";
    }
    if (options.keyFrameEvery > 0 && !pick.codec->takesKeyFrames) {
        return "codec " + pick.codec->name + " takes no --keyframes";
    }
    return {};
}

VideoOutcome exportVideo(run::DesignerSession& session, const VideoOptions& options,
                         const VideoProgress& progress) {
    VideoOutcome outcome;
    outcome.error = checkVideoOptions(options);
    if (!outcome.error.empty()) {
        return outcome;
    }
    const LogCapture quiet;
    const Container* container = containerForFile(options.path);
    VideoSinkSettings settings;
    settings.path = options.path;
    settings.container = container;
    settings.codec = pickCodec(*container, options.codec).codec;
    settings.encoder = EncoderSettings{options.bitrateKbps, options.keyFrameEvery};
    settings.constantFrameRate = options.constantFrameRate;
    settings.progress = progress;
    auto sink = std::make_shared<VideoFileSink>(std::move(settings));
    session.runState().runError.clear();
    session.saveAviAs(options.path, sink);
    outcome.written = sink->written();
    outcome.framesTaken = sink->framesTaken();
    outcome.framesStored = sink->framesStored();
    if (sink->diskFull()) {
        outcome.error = outcome.written ? "the disk is full: " + options.path +
                                              " was finished with its first " +
                                              std::to_string(outcome.framesStored) + " frames"
                                        : "the disk is full: " + options.path + " was not written";
    } else if (!sink->error().empty()) {
        outcome.error = sink->error();
    } else if (session.runState().runError != run::kFrameSinkRefused) {
        outcome.error = session.runState().runError;
    }
    return outcome;
}

} // namespace dw::video
