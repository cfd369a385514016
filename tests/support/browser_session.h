#pragma once

#include <string>

#include "session.h"

// The web page in a headless browser as a session: the program under test is then
// tests/support/browser_program.py, which opens the page in the browser, types the answers into
// its console and ends with its exit status; the session reaches the same page through that
// program's socket in its folder. Its window is the canvas, read back as the page holds it, or at
// an output scale, as the screen shows it. Keys are WebDriver's, on the canvas, which has the
// keyboard once the game starts; NumLock is a state of the session, off at its start.
class BrowserSession : public Session {
  public:
    explicit BrowserSession(int outputScale = 1);
    ~BrowserSession() override;
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    bool ready() const override { return !folder.empty(); }
    // The page's tab cannot be taken from under it: the tests that would are not registered.
    void killServer() override {}
    std::vector<std::string> environment() const override;

    std::optional<WindowId> findWindow(int width, int height) override;
    Screenshot capture(WindowId window) override;

    void pointAt(WindowId /*window*/) override {}
    [[nodiscard]] bool pressKey(const std::string& keysym) override;
    [[nodiscard]] bool releaseKey(const std::string& keysym) override;
    bool numLockOn() override;

    std::string windowName(WindowId window) override;
    bool windowsCarryIcons() const override { return false; }
    std::string iconName(WindowId /*window*/) override { return {}; }
    std::optional<unsigned long> iconCentre(WindowId /*window*/) override { return {}; }
    // The name of the page's icon, which the browser shows on its tab.
    std::string applicationId(WindowId window) override;

  private:
    // The page's answer to one command; empty while no page is open.
    std::string ask(const std::string& command) const;

    int scale;
    std::string folder;
};
