// Loading the design of a call, shared by every command that reads one.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "clihost.h"
#include "commands.h"
#include "design/designfileflow.h"
#include "messagelines.h"
#include "run/designersession.h"

namespace dw::cli {

namespace {

using design::PictureSlot;

constexpr PictureSlot kDesignSlots[] = {PictureSlot::Hour,   PictureSlot::Minute,
                                        PictureSlot::Second, PictureSlot::Top,
                                        PictureSlot::Main,   PictureSlot::EraseBackground};

// A missing design file loads as one without keys, which is never what a command line meant.
bool readable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.good() && !std::filesystem::is_directory(path);
}

} // namespace

LoadOutcome loadDesign(CommandContext& cx) {
    const std::string path = std::filesystem::absolute(cx.call.input).lexically_normal().string();
    if (!readable(path)) {
        cx.host.report("cannot read the design file " + cx.call.input);
        return LoadOutcome::Failed;
    }
    const std::size_t messagesBefore = cx.host.messages().size();
    cx.host.setOpenAnswer(path);
    if (cx.session.load_ini() != design::FileFlowResult::Done) {
        return LoadOutcome::Failed;
    }
    // A picture that did not load leaves an empty window in its slot; say which one it was.
    for (PictureSlot slot : kDesignSlots) {
        const auto window = cx.session.pictures().window(slot);
        if (window && window->Picture1().isEmpty()) {
            cx.host.report("the picture " + cx.session.pictures().fileName(slot) +
                           " of the design did not load");
        }
    }
    return cx.host.messages().size() == messagesBefore ? LoadOutcome::Clean
                                                       : LoadOutcome::WithMessages;
}

void printLog(CommandContext& cx) {
    std::fputs(withLineFeeds(cx.session.log().text()).c_str(), stdout);
    std::fflush(stdout);
}

} // namespace dw::cli
