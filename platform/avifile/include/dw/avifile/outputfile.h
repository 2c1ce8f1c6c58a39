#pragma once
// Where an AVI file's bytes go. Behind an interface so tests can stand a full disk in for it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace dw::avifile {

struct ConstBuffer {
    const void* data;
    std::size_t size;
};

class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Writes the pieces one after another from `offset`. False, with the reason in *error, when
    // not every byte was written; what was written may stay.
    virtual bool writeAt(std::uint64_t offset, const ConstBuffer* pieces, int count,
                         std::string* error) = 0;
    // Cuts the file to `size` bytes; false, with the reason, when the system refuses.
    virtual bool truncate(std::uint64_t size, std::string* error) = 0;
    // Closes the file; later calls fail. False, with the reason, when the close reports an error.
    virtual bool close(std::string* error) = 0;
};

// Creates `path`, or empties it if it exists, for writing. Null, with the reason in *error, when
// it cannot be created (no such folder, no permission, an empty name).
std::unique_ptr<OutputFile> createOutputFile(const std::string& path, std::string* error);

} // namespace dw::avifile
