#include "mediatools.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>

namespace dw::testing {

TempDir::TempDir() {
    char pattern[] = "/tmp/dwtest.XXXXXX";
    const char* made = ::mkdtemp(pattern);
    mPath = made != nullptr ? made : "/tmp";
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (mPath != "/tmp") {
        std::filesystem::remove_all(mPath, ignored);
    }
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    if (at + 4 > b.size()) {
        return 0;
    }
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return at + 2 > b.size() ? 0 : static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

const RiffChunk* RiffChunk::find(const std::string& idOrType) const {
    for (const RiffChunk& c : children) {
        if (c.id == idOrType || c.listType == idOrType) {
            return &c;
        }
        if (const RiffChunk* inner = c.find(idOrType)) {
            return inner;
        }
    }
    return nullptr;
}

std::vector<const RiffChunk*> RiffChunk::findAll(const std::string& id) const {
    std::vector<const RiffChunk*> out;
    for (const RiffChunk& c : children) {
        if (c.id == id || c.listType == id) {
            out.push_back(&c);
        }
        const auto inner = c.findAll(id);
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

namespace {

std::string tagAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

bool readChunks(const std::vector<std::uint8_t>& b, std::size_t from, std::size_t to,
                std::vector<RiffChunk>* out, std::string* error) {
    std::size_t at = from;
    while (at + 8 <= to) {
        RiffChunk c;
        c.id = tagAt(b, at);
        c.offset = at;
        c.size = le32(b, at + 4);
        const std::size_t end = at + 8 + c.size;
        if (end > to) {
            *error = "chunk '" + c.id + "' at " + std::to_string(at) + " runs past its parent";
            return false;
        }
        if ((c.id == "RIFF" || c.id == "LIST") && c.size >= 4) {
            c.listType = tagAt(b, at + 8);
            if (!readChunks(b, at + 12, end, &c.children, error)) {
                out->push_back(std::move(c));
                return false;
            }
        }
        out->push_back(std::move(c));
        at = end + (end & 1);
    }
    return true;
}

std::string fieldOf(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return {};
}

long long countOf(const std::string& text) {
    if (text.empty() || text == "N/A") {
        return -1;
    }
    return std::atoll(text.c_str());
}

} // namespace

std::vector<RiffChunk> readRiff(const std::vector<std::uint8_t>& bytes, std::string* error) {
    std::vector<RiffChunk> out;
    error->clear();
    readChunks(bytes, 0, bytes.size(), &out, error);
    return out;
}

std::string runCommand(const std::string& command, int* exitStatus) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        *exitStatus = -1;
        return output;
    }
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    *exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

bool haveTool(const std::string& name) {
    int status = 0;
    runCommand("command -v " + name + " >/dev/null 2>&1", &status);
    return status == 0;
}

Probe probeVideo(const std::string& path) {
    Probe p;
    TempDir scratch;
    const std::string errFile = scratch.file("err.txt");
    int status = 0;
    const std::string out =
        runCommand("ffprobe -v error -select_streams v:0 -count_frames -show_entries "
                   "stream=codec_name,width,height,r_frame_rate,nb_frames,nb_read_frames "
                   "-of default=noprint_wrappers=1 '" +
                       path + "' 2>'" + errFile + "'",
                   &status);
    const auto err = fileBytes(errFile);
    p.errors.assign(err.begin(), err.end());
    p.ok = status == 0;
    p.codec = fieldOf(out, "codec_name");
    p.width = std::atoi(fieldOf(out, "width").c_str());
    p.height = std::atoi(fieldOf(out, "height").c_str());
    p.frameRate = fieldOf(out, "r_frame_rate");
    p.headerFrames = countOf(fieldOf(out, "nb_frames"));
    p.decodedFrames = countOf(fieldOf(out, "nb_read_frames"));
    return p;
}

bool decodeBgr24(const std::string& path, std::vector<std::uint8_t>* pixels, std::string* errors,
                 int framesPerSecond) {
    const std::string timing = framesPerSecond > 0 ? "-vf fps=" + std::to_string(framesPerSecond)
                                                   : std::string("-fps_mode passthrough");
    TempDir scratch;
    const std::string errFile = scratch.file("err.txt");
    int status = 0;
    const std::string out = runCommand("ffmpeg -nostdin -v error -i '" + path + "' " + timing +
                                           " -f rawvideo -pix_fmt bgr24 - "
                                           "2>'" +
                                           errFile + "'",
                                       &status);
    pixels->assign(out.begin(), out.end());
    const auto err = fileBytes(errFile);
    errors->assign(err.begin(), err.end());
    return status == 0;
}

} // namespace dw::testing
