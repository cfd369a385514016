#include "stop_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t stopSignalled = 0;

extern "C" void onStopSignal(int /*signal*/) {
    stopSignalled = 1;
}

void setStopHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

void installStopHandlers() {
    stopSignalled = 0;
    setStopHandler(onStopSignal);
}

void restoreDefaultStopHandlers() {
    setStopHandler(SIG_DFL);
}

bool stopRequested() {
    return stopSignalled != 0;
}
