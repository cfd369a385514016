#include "app/program.h"

#include <cstdlib>
#include <istream>
#include <optional>
#include <ostream>

#include "app/scene.h"
#include "app/video.h"
#include "common/console_text.h"
#include "input/input.h"
#include "platform/platform.h"

namespace {

// Calls `end` when it goes out of scope, however the scope is left.
template <typename End>
class AtScopeEnd {
  public:
    explicit AtScopeEnd(End what) : end(what) {}
    ~AtScopeEnd() { end(); }
    AtScopeEnd(const AtScopeEnd&) = delete;
    AtScopeEnd& operator=(const AtScopeEnd&) = delete;

  private:
    End end;
};

// Where the line that says why goes while the window is open. Xlib ends the process itself, with
// status 1, once its X server has gone, before SDL can tell the frame loop: the line is then
// written on the way out.
std::ostream* openWindowErrors = nullptr;

void sayTheDisplayWasLost() {
    if (openWindowErrors != nullptr) {
        *openWindowErrors << consoleText(Text::DisplayLost) << std::endl;
    }
}

}  // namespace

ExitStatus runProgram(std::istream& in, std::ostream& out, std::ostream& err) {
    Input input;
    writeKeyGuide(out);
    const std::optional<Answers> answers = holdDialogue(in, out);
    if (!answers) {
        out << std::endl;
        err << consoleText(Text::EndOfInput) << std::endl;
        return ExitStatus::NoRun;
    }
    input.inertia = answers->inertia;
    return runInWindow(*answers, input, err);
}

ExitStatus runInWindow(const Answers& answers, Input& input, std::ostream& err) {
    // Before SDL starts: SDL puts its own handlers in place of default ones, and those only queue
    // a quit event, which the frame loop ignores like the window's close button.
    installStopHandlers();
    const AtScopeEnd stopHandlers(restoreDefaultStopHandlers);
    if (!startVideo(err)) {
        return ExitStatus::NoRun;
    }
    const AtScopeEnd video(stopVideo);
    static const bool saysWhyOnExit = std::atexit(sayTheDisplayWasLost) == 0;
    openWindowErrors = saysWhyOnExit ? &err : nullptr;
    const AtScopeEnd windowOpen([] { openWindowErrors = nullptr; });
    Scene scene(answers.x1, answers.y1, answers.DotNum);
    if (runFrameLoop(scene, input) == FrameOutcome::DisplayLost) {
        sayTheDisplayWasLost();
        return ExitStatus::DisplayLost;
    }
    return ExitStatus::Ended;
}
