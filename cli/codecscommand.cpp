// The codecs command: the compressors the AVI writer offers on this machine, then the other
// containers and the codecs each holds.
#include <cstdio>

#include "clihost.h"
#include "commands.h"
#include "compressionoptions.h"
#include "run/designersession.h"
#include "video/containers.h"

namespace dw::cli {

ExitCode runCodecs(CommandContext& cx) {
    // Creating the writer loads its file library, which publishes what it can encode.
    if (!cx.session.registrationCheck()) {
        return ExitCode::Failed;
    }
    std::fputs(compressorTable(platform::offeredCompressors()).c_str(), stdout);
    // The containers other than AVI follow the AVI writer's compressors.
    std::fputs(("\n" + video::containerTable()).c_str(), stdout);
    return ExitCode::Done;
}

} // namespace dw::cli
