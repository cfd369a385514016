#pragma once

#include <string>

// A new folder under /tmp, removed with everything in it when the object ends.
class TemporaryFolder {
  public:
    // `tag` goes into the folder's name.
    explicit TemporaryFolder(const std::string& tag);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // Empty if the folder could not be made.
    const std::string& path() const { return folder; }

  private:
    std::string folder;
};

// Removes a folder and everything in it, if it is there.
void removeFolder(const std::string& path);
