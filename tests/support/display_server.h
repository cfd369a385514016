#pragma once

#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

// What a server of the tests' (display-server, a fixture's server) announced in its output before
// its line "ready": one "NAME=value" (or "NAME", for a variable to remove) a line. Empty if it
// never said "ready".
std::vector<std::string> announcement(const std::string& output);
// The value that an announcement gives the variable; empty if none.
std::string announcedValue(const std::vector<std::string>& announced, const std::string& name);
// What the fixture's server in `folder` announced (tests/support/daemon keeps its output there).
std::vector<std::string> fixtureAnnouncement(const std::string& folder);

// A private display server started by tests/support/display-server ("x", "wayland" with its
// output's scale, "gnome"), in a process group of its own that ends with the object.
class DisplayServer {
  public:
    explicit DisplayServer(const std::vector<std::string>& arguments);
    ~DisplayServer();
    DisplayServer(const DisplayServer&) = delete;
    DisplayServer& operator=(const DisplayServer&) = delete;

    bool ready() const { return !clientEnvironment.empty(); }
    // Why it did not start, in its own words.
    std::string failure() const { return server.errors(); }
    // What its clients need in their environment ("NAME=value", or "NAME" to remove one).
    const std::vector<std::string>& environment() const { return clientEnvironment; }
    // The value that environment() gives the variable; empty if none.
    std::string variable(const std::string& name) const {
        return announcedValue(clientEnvironment, name);
    }
    // Ends the server's whole group at once, as when a session crashes.
    void kill() { server.kill(); }

  private:
    ChildProcess server;
    std::vector<std::string> clientEnvironment;
};

// The folder of the test support's scripts (ORBITDOTS_SUPPORT).
std::string supportFolder();
