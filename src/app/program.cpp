#include "program.h"

#include <istream>
#include <optional>
#include <ostream>

#include "console_text.h"
#include "dialogue.h"
#include "input.h"
#include "platform.h"
#include "scene.h"
#include "video.h"

int runProgram(std::istream& in, std::ostream& out, std::ostream& err) {
    Input input;
    writeKeyGuide(out);
    const std::optional<Answers> answers = holdDialogue(in, out);
    if (!answers) {
        out << std::endl;
        err << consoleText(Text::EndOfInput) << std::endl;
        return kExitNoRun;
    }
    input.inertia = answers->inertia;
    // Before SDL starts: SDL puts its own handlers in place of default ones, and those only queue
    // a quit event, which the frame loop ignores like the window's close button.
    installStopHandlers();
    if (!startVideo(err)) {
        return kExitNoRun;
    }
    Scene scene(answers->x1, answers->y1, answers->DotNum);
    const int status = runFrameLoop(scene, input);
    if (scene.displayLost) {
        err << consoleText(Text::DisplayLost) << std::endl;
    }
    return status;
}
