#include "display_server.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

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
    if (server.outputEndsWithin("ready\n", 60s)) {
        clientEnvironment = announcement(server.output());
    }
}

DisplayServer::~DisplayServer() {
    // What a server killed at once leaves behind.
    const std::string folder = variable("ORBITDOTS_DISPLAY_FOLDER");
    server.stop();
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

std::vector<std::string> announcement(const std::string& output) {
    std::vector<std::string> announced;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "ready") {
            return announced;
        }
        announced.push_back(line);
    }
    return {};
}

std::string announcedValue(const std::vector<std::string>& announced, const std::string& name) {
    const auto assignment =
        std::find_if(announced.begin(), announced.end(),
                     [&name](const std::string& line) { return line.rfind(name + "=", 0) == 0; });
    return assignment != announced.end() ? assignment->substr(name.size() + 1) : std::string();
}

std::vector<std::string> fixtureAnnouncement(const std::string& folder) {
    std::ifstream output(folder + "/output");
    return announcement(
        std::string(std::istreambuf_iterator<char>(output), std::istreambuf_iterator<char>()));
}
