#include "clitestsupport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "mediatools.h"

extern char** environ;

namespace dw::testing {

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::vector<std::string> CliRun::outLines() const {
    return linesOf(out);
}
std::vector<std::string> CliRun::errLines() const {
    return linesOf(err);
}

namespace {

// The process's environment with some variables replaced or added.
std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        const bool replaced = std::any_of(changes.begin(), changes.end(), [&](const auto& c) {
            return c.substr(0, c.find('=')) == name;
        });
        if (!replaced) {
            env.push_back(text);
        }
    }
    env.insert(env.end(), changes.begin(), changes.end());
    return env;
}

} // namespace

CliProcess::CliProcess(const std::vector<std::string>& args, const std::vector<std::string>& env)
    : mOutFile(mScratch.file("out.txt")), mErrFile(mScratch.file("err.txt")) {
    const std::string program = std::string(DW_BIN_DIR) + "/dialwright-cli";
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<std::string> envText = environmentWith(env);
    std::vector<char*> envp;
    for (std::string& entry : envText) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, mOutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, mErrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    if (posix_spawn(&mPid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
        mPid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

CliProcess::~CliProcess() {
    if (mPid > 0) {
        ::kill(mPid, SIGKILL);
        wait();
    }
}

CliRun CliProcess::wait() {
    CliRun run;
    if (mPid > 0) {
        int status = 0;
        while (::waitpid(mPid, &status, 0) < 0 && errno == EINTR) {
        }
        mPid = -1;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.out = readBytes(mOutFile);
    run.err = readBytes(mErrFile);
    return run;
}

CliRun runCli(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    return CliProcess(args, env).wait();
}

std::string withKeys(const std::string& designText, const DesignKeys& keys) {
    std::vector<std::string> lines;
    for (std::string line : linesOf(designText)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    for (const auto& [key, value] : keys) {
        bool replaced = false;
        for (std::string& line : lines) {
            const auto equals = line.find('=');
            if (equals != std::string::npos &&
                lowerCase(line.substr(0, equals)) == lowerCase(key)) {
                line = key + "=" + value;
                replaced = true;
            }
        }
        if (!replaced) {
            lines.push_back(key + "=" + value);
        }
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

DesignCopy::DesignCopy(const std::string& sample, const DesignKeys& keys,
                       const std::vector<std::string>& leaveOut) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(DW_SAMPLES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".bmp" &&
            std::find(leaveOut.begin(), leaveOut.end(), name) == leaveOut.end()) {
            fs::copy_file(entry.path(), mFolder.path() / name);
        }
    }
    mDesign = mFolder.file(sample);
    writeBytes(mDesign, withKeys(readBytes(std::string(DW_SAMPLES_DIR) + "/" + sample), keys));
}

std::vector<std::string> sampleDesigns() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DW_SAMPLES_DIR)) {
        if (entry.path().extension() == ".ini") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

VideoFacts probe(const std::string& path) {
    const Probe p = probeVideo(path);
    VideoFacts facts;
    facts.ok = p.ok;
    facts.codec = p.codec;
    facts.width = p.width;
    facts.height = p.height;
    facts.frameRate = p.frameRate;
    facts.frames = p.decodedFrames;
    return facts;
}

QImage readPicture(const std::string& path) {
    QImage image(QString::fromStdString(path));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

std::vector<QImage> decodedFrames(const std::string& path, int width, int height,
                                  std::string* errors, int framesPerSecond) {
    std::vector<QImage> frames;
    std::vector<std::uint8_t> pixels;
    if (!decodeBgr24(path, &pixels, errors, framesPerSecond) || width <= 0 || height <= 0) {
        return frames;
    }
    const std::size_t frameBytes = static_cast<std::size_t>(width) * height * 3;
    for (std::size_t at = 0; at + frameBytes <= pixels.size(); at += frameBytes) {
        QImage frame(width, height, QImage::Format_RGB32);
        const std::uint8_t* p = pixels.data() + at;
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < width; ++x, p += 3) {
                row[x] = qRgb(p[2], p[1], p[0]);
            }
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull() || b.isNull()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if ((ra[x] & 0xFFFFFF) != (rb[x] & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace dw::testing
