#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "session.h"

// The web page in a browser as a session. The browser is a fixture's, shared by the tests, and
// answers requests in JSON through the socket in its folder (ORBITDOTS_BROWSER_FOLDER); the
// program under test is tests/support/browser_program.py, which has the browser open the page
// afresh, type the answers into its console and pass on what the page writes, and ends with the
// page's exit status. The session's window is the page's canvas, read back as the page holds it,
// or at the screen's scale, as the screen shows it. Keys are WebDriver's, on the canvas, which
// has the keyboard once the game starts; NumLock is a state of the browser's, off when the page
// opens.
class BrowserSession : public WindowSession {
  public:
    // `scale`: the screen's scale that the browser must have. The session starts and ends with no
    // page in the browser: no game from an earlier test can pass for the program's.
    explicit BrowserSession(int scale = 1);
    ~BrowserSession() override;
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    bool ready() const override { return failure.empty(); }
    std::string startFailure() const override { return failure; }
    std::vector<std::string> environment() const override { return {}; }

    std::optional<WindowId> findWindow(int width, int height) override;
    Screenshot capture(WindowId window) override;

    [[nodiscard]] bool pressKey(const std::string& keysym) override;
    [[nodiscard]] bool releaseKey(const std::string& keysym) override;
    bool numLockOn() override;

    // The page's title, and the name of its icon, which the browser shows on its tab.
    WindowLabels labels(WindowId window) override;
    bool windowsCarryIcons() const override { return false; }

    // A standard-mapping pad, faked in the page's navigator.getGamepads.
    std::unique_ptr<Pad> plugInPad() override;

    // The browser is the fixture's, and stays.
    [[nodiscard]] bool killServer() override { return false; }

    // The page itself, in Chromium: shown on a screen of this size (in the page's pixels), this
    // density and with touch or not; where its parts are, as the browser measures them (see
    // LAYOUT in browser_program.py); what keeps it from being installed as an app (nothing where
    // it can be); whether a service worker serves it; and nothing from the browser's own cache
    // from now on.
    [[nodiscard]] bool showAs(int width, int height, double scale, bool touch);
    nlohmann::json layout();
    std::vector<std::string> installability();
    bool servedByServiceWorker();
    [[nodiscard]] bool keepNothingInHttpCache();

  private:
    friend class PagePad;
    // The browser's answer to one request; null where it gave none, or failed.
    nlohmann::json ask(const nlohmann::json& request) const;
    bool done(const nlohmann::json& request) const { return ask(request).is_object(); }

    std::string socketPath;
    std::string failure;
};
