#pragma once
// The compressor of an export, chosen on the command line: --codec, --keyframes and --bitrate
// answer the AVI writer's compression dialog, which the command line never shows.
#include <string>
#include <vector>

#include "dw/platform/compressiondialog.h"

namespace dw::cli {

struct Invocation;

// The offered compressor named by `codec` (its name or FourCC, any case, blanks around it
// ignored); null when none is.
const platform::CompressorInfo* findOffered(const std::vector<platform::CompressorInfo>& offered,
                                            const std::string& codec);

// Makes the call's choice the answer of the compression dialog (uncompressed without --codec).
// The AVI writer must have been loaded, so that its compressors are published. Throws
// UsageError for a codec that is not on offer.
void useCompressionOptions(const Invocation& call);

// The compressors on offer as a table: name, FourCC, description and the settings each takes.
std::string compressorTable(const std::vector<platform::CompressorInfo>& offered);

} // namespace dw::cli
