#pragma once
// End-to-end helpers: dialwright-cli run as a subprocess with its output captured, sample designs
// copied with their pictures into a scratch folder (some keys changed), frames read back.
#include <string>
#include <utility>
#include <vector>

#include <QImage>

#include "scratchfolder.h"

namespace dw::testing {

struct CliRun {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;

    // The lines of standard output / error, without their line feeds.
    std::vector<std::string> outLines() const;
    std::vector<std::string> errLines() const;
};

// dialwright-cli started as a subprocess with its output going to files; killed at the end of
// the scope unless waited for.
class CliProcess {
public:
    CliProcess(const std::vector<std::string>& args, const std::vector<std::string>& env = {});
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    int pid() const { return mPid; }
    // Waits for the program to end and gives what it printed.
    CliRun wait();

private:
    ScratchFolder mScratch;
    std::string mOutFile;
    std::string mErrFile;
    int mPid = -1;
};

// Runs build/bin/dialwright-cli with the arguments and the tests' environment, where `env`
// entries ("NAME=value") replace or add variables.
CliRun runCli(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

using DesignKeys = std::vector<std::pair<std::string, std::string>>;

// A sample design in a scratch folder of its own, beside copies of the sample pictures.
class DesignCopy {
public:
    // Copies samples/<sample> with the given keys replaced (or added) and every sample picture
    // except those listed in `leaveOut`.
    explicit DesignCopy(const std::string& sample, const DesignKeys& keys = {},
                        const std::vector<std::string>& leaveOut = {});

    const std::string& design() const { return mDesign; }
    // A path in the scratch folder.
    std::string file(const std::string& name) const { return mFolder.file(name); }
    const ScratchFolder& folder() const { return mFolder; }

private:
    ScratchFolder mFolder;
    std::string mDesign;
};

// The text of a design file with keys of section "clock" replaced or added; CR LF line ends.
std::string withKeys(const std::string& designText, const DesignKeys& keys);

// The sample designs, by file name.
std::vector<std::string> sampleDesigns();

// What ffprobe says about the first video stream of a file; frames is -1 when it gives none.
struct VideoFacts {
    bool ok = false;
    std::string codec;
    int width = 0;
    int height = 0;
    std::string frameRate; // "15/1"
    long long frames = -1; // frames read to the end
};
VideoFacts probe(const std::string& path);

// A PNG (or any picture) read as 32-bit RGB; null when unreadable.
QImage readPicture(const std::string& path);

// Frames as ffmpeg decodes them from a video file, each as a 32-bit RGB image.
// With `framesPerSecond` above 0: the picture at each frame-time (ffmpeg's fps filter).
std::vector<QImage> decodedFrames(const std::string& path, int width, int height,
                                  std::string* errors, int framesPerSecond = 0);

// True when the two pictures have the same size and the same colour at every pixel.
bool samePixels(const QImage& a, const QImage& b);

// Files in a folder, by name, sorted.
std::vector<std::string> filesIn(const std::string& folder);

} // namespace dw::testing
