#include "temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

TemporaryFolder::TemporaryFolder(const std::string& tag) {
    std::string name = "/tmp/orbitdots-" + tag + "-XXXXXX";
    if (mkdtemp(name.data()) != nullptr) {
        folder = name;
    }
}

TemporaryFolder::~TemporaryFolder() {
    removeFolder(folder);
}

void removeFolder(const std::string& path) {
    if (!path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
}
