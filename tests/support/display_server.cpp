#include "display_server.h"

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "temporary_folder.h"

namespace {

using namespace std::chrono_literals;

}  // namespace

std::string supportFolder() {
    const char* folder = std::getenv("ORBITDOTS_SUPPORT");
    return folder != nullptr ? folder : "";
}

DisplayServer::DisplayServer(const std::vector<std::string>& arguments)
    : server(
          [&arguments] {
              std::vector<std::string> command = {supportFolder() + "/display-server"};
              command.insert(command.end(), arguments.begin(), arguments.end());
              return command;
          }(),
          {}, "", ChildProcess::Options{false, true}) {
    if (!server.outputEndsWithin("ready\n", 60s)) {
        return;
    }
    std::istringstream lines(server.output());
    std::string line;
    while (std::getline(lines, line) && line != "ready") {
        clientEnvironment.push_back(line);
    }
}

DisplayServer::~DisplayServer() {
    // What a server killed at once leaves behind.
    const std::string folder = variable("ORBITDOTS_DISPLAY_FOLDER");
    server.stop();
    removeFolder(folder);
}

std::string DisplayServer::variable(const std::string& name) const {
    for (const std::string& assignment : clientEnvironment) {
        if (assignment.rfind(name + "=", 0) == 0) {
            return assignment.substr(name.size() + 1);
        }
    }
    return {};
}
