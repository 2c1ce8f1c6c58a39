// The codecs command: the compressors the AVI writer offers on this machine.
#include <cstdio>

#include "clihost.h"
#include "commands.h"
#include "compressionoptions.h"
#include "run/designersession.h"

namespace dw::cli {

ExitCode runCodecs(CommandContext& cx) {
    // Creating the writer loads its file library, which publishes what it can encode.
    if (!cx.session.registrationCheck()) {
        return ExitCode::Failed;
    }
    std::fputs(compressorTable(platform::offeredCompressors()).c_str(), stdout);
    return ExitCode::Done;
}

} // namespace dw::cli
