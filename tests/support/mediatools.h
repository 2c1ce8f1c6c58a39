#pragma once
// Test helpers for AVI files: a RIFF chunk reader, and ffprobe/ffmpeg as an outside reader that
// nobody here wrote.
#include <cstdint>
#include <string>
#include <vector>

namespace dw::testing {

// A folder under /tmp removed with its contents at the end of the scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return mPath; }
    std::string file(const std::string& name) const { return mPath + "/" + name; }

private:
    std::string mPath;
};

std::vector<std::uint8_t> fileBytes(const std::string& path);
std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint16_t le16(const std::vector<std::uint8_t>& bytes, std::size_t at);

// One chunk of a RIFF file. Lists ('RIFF', 'LIST') carry their type and children.
struct RiffChunk {
    std::string id;
    std::string listType;
    std::size_t offset = 0; // of the chunk header
    std::uint32_t size = 0; // of the data, as stored
    std::vector<RiffChunk> children;

    std::size_t dataOffset() const { return offset + 8; }
    // The first descendant with the id (or list type), depth first; null when none.
    const RiffChunk* find(const std::string& idOrType) const;
    // Every descendant with the id, in file order.
    std::vector<const RiffChunk*> findAll(const std::string& id) const;
};

// Reads the top-level chunks of a file. A chunk running past the end ends the reading; `error`
// then says where.
std::vector<RiffChunk> readRiff(const std::vector<std::uint8_t>& bytes, std::string* error);

// What ffprobe says about the first video stream; counts are -1 when it gives none.
struct Probe {
    bool ok = false;
    std::string codec;
    int width = 0;
    int height = 0;
    std::string frameRate;        // "30/1"
    long long headerFrames = -1;  // the container's frame count
    long long decodedFrames = -1; // frames read to the end
    std::string errors;           // ffprobe's error output
};
Probe probeVideo(const std::string& path);

// Decodes every frame as top-down 24-bit rows (blue, green, red, no padding), one frame after
// another. `errors` receives what ffmpeg printed at error level; false when ffmpeg failed.
// With `framesPerSecond` above 0 the frames are those of ffmpeg's fps filter at that rate (the
// picture at each frame-time), not the stored ones.
bool decodeBgr24(const std::string& path, std::vector<std::uint8_t>* pixels, std::string* errors,
                 int framesPerSecond = 0);

// Runs a shell command; returns its standard output and sets the exit status.
std::string runCommand(const std::string& command, int* exitStatus);

// True when the program answers on this machine.
bool haveTool(const std::string& name);

} // namespace dw::testing
