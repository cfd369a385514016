#pragma once

#include <string>
#include <vector>

#include "display_server.h"
#include "session.h"

// GNOME's own compositor as a GNOME session runs it: headless mutter under a D-Bus session of its
// own, with Xwayland, so that DISPLAY and WAYLAND_DISPLAY are both set. mutter offers the tests no
// way to find or read windows, nor a virtual keyboard.
class GnomeSession : public Session {
  public:
    GnomeSession() : server({"gnome"}) {}

    bool ready() const override { return server.ready(); }
    std::string startFailure() const override { return server.failure(); }
    std::vector<std::string> environment() const override { return server.environment(); }

  private:
    DisplayServer server;
};
