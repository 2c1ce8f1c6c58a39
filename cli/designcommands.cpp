// The commands that work on the design file alone: upgrade and check.
#include <filesystem>

#include "clihost.h"
#include "commands.h"
#include "design/clockdesign.h"
#include "design/designfileflow.h"
#include "run/designersession.h"

namespace dw::cli {

namespace {

std::filesystem::path folderOf(const std::string& path) {
    return std::filesystem::weakly_canonical(std::filesystem::absolute(path)).parent_path();
}

// A stored picture name other than an absolute one is looked up beside the design file, so
// saving the design into another folder would leave it naming files that are not there.
// Rewriting the names would change what the save writes; refusing keeps the file sound.
bool picturesStayReachable(CommandContext& cx) {
    if (folderOf(cx.call.input) == folderOf(cx.call.output)) {
        return true;
    }
    const design::ClockDesign& d = cx.session.design();
    for (const std::string* name :
         {&d.image, &d.background, &d.hourbitmap, &d.minutebitmap, &d.secondbitmap, &d.topbitmap}) {
        if (name->size() >= 2 && name->front() != '/' &&
            name->find_first_not_of(' ') != std::string::npos) {
            cx.host.report("the design names its pictures relative to its own folder; write "
                           "the upgraded design into " +
                           folderOf(cx.call.input).string() + " instead");
            return false;
        }
    }
    return true;
}

} // namespace

ExitCode runUpgrade(CommandContext& cx) {
    const LoadOutcome loaded = loadDesign(cx);
    printLog(cx);
    if (loaded == LoadOutcome::Failed || !picturesStayReachable(cx)) {
        return ExitCode::Failed;
    }
    // A picture that did not load keeps its name in the design, so the saved file still names
    // it; the messages above have told the user.
    cx.host.setSaveAnswer(cx.call.output);
    return cx.session.save_ini() == design::FileFlowResult::Done ? ExitCode::Done
                                                                 : ExitCode::Failed;
}

} // namespace dw::cli
