// The web page as a page, in Chromium (registered there only), on the screens it shows it as: it
// fits every window from a phone's to a 4K monitor's, upright and sideways, never zoomed out; and
// served from a web host it installs as an app that plays with the host gone.
#include <cstdlib>

#include "browser_session.h"
#include "display_server.h"
#include "real_window.h"

namespace {

using namespace std::chrono_literals;

class PageTest : public RealWindowTest {
  protected:
    BrowserSession& page() { return dynamic_cast<BrowserSession&>(*session); }

    // Nothing to scroll, the canvas 4:3 and wholly in the window, the console's text 12 px at
    // least, and on a touch screen every key's control in the window too, large enough for a
    // finger.
    void expectFits(int width, int height, bool touch) {
        // The browser tells the page of its new window with a frame of its own: a second, even on
        // a loaded machine, is far more than the page needs to fit it.
        nlohmann::json layout;
        waitUntil(std::chrono::seconds(1), [&] {
            layout = page().layout();
            return layout.is_object() && layout["page"]["width"] <= width &&
                   layout["page"]["height"] <= height && layout["canvas"]["right"] <= width &&
                   layout["canvas"]["bottom"] <= height &&
                   layout["controls"].value("right", 0.0) <= width &&
                   layout["controls"].value("bottom", 0.0) <= height;
        });
        ASSERT_TRUE(layout.is_object()) << "the page says nothing of its layout";
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        EXPECT_EQ(layout["window"]["width"], width) << "the page is zoomed";
        EXPECT_EQ(layout["window"]["height"], height);
        EXPECT_LE(layout["page"]["width"], width) << "the page scrolls";
        EXPECT_LE(layout["page"]["height"], height) << "the page scrolls";
        const nlohmann::json& canvas = layout["canvas"];
        EXPECT_GE(canvas["left"], 0);
        EXPECT_GE(canvas["top"], 0);
        EXPECT_LE(canvas["right"], width);
        EXPECT_LE(canvas["bottom"], height);
        EXPECT_NEAR((canvas["right"].get<double>() - canvas["left"].get<double>()) * 3,
                    (canvas["bottom"].get<double>() - canvas["top"].get<double>()) * 4, 0.5);
        EXPECT_GE(layout["consoleTextSize"], 12);
        const nlohmann::json& controls = layout["controls"];
        if (touch) {
            EXPECT_EQ(controls["count"], 11) << "a control for each of the game's keys";
            EXPECT_GE(controls["smallest"], 40);
            EXPECT_GE(controls["left"], 0);
            EXPECT_GE(controls["top"], 0);
            EXPECT_LE(controls["right"], width);
            EXPECT_LE(controls["bottom"], height);
        } else {
            EXPECT_EQ(controls["count"], 0) << "touch controls without a touch screen";
        }
    }

    void endWithEscape() {
        press("Escape");
        expectEndWithStatusZero();
        release("Escape");
    }
};

TEST_F(PageTest, FitsEveryWindowFromAPhoneToA4kMonitorAndAgainWhenTurned) {
    struct Screen {
        const char* name;
        int width;
        int height;
        double scale;
        bool touch;
    };
    for (const Screen& screen :
         {Screen{"a small phone", 360, 640, 2, true}, Screen{"a phone", 390, 844, 3, true},
          Screen{"a tablet", 768, 1024, 2, true}, Screen{"a netbook", 1024, 600, 1, false},
          Screen{"a laptop", 1366, 625, 1, false}, Screen{"a desktop", 1920, 1080, 1, false},
          Screen{"a 4K monitor", 3840, 2160, 1, false}}) {
        SCOPED_TRACE(screen.name);
        ASSERT_TRUE(page().showAs(screen.width, screen.height, screen.scale, screen.touch));
        ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n12\n", 12));
        expectFits(screen.width, screen.height, screen.touch);
        // Turned, the screen's sides swap, and the page fits it again at once.
        ASSERT_TRUE(page().showAs(screen.height, screen.width, screen.scale, screen.touch));
        expectFits(screen.height, screen.width, screen.touch);
        exactRead();
        endWithEscape();
    }
}

TEST_F(PageTest, TheTouchControlsGiveWayToAGamePadAtItsFirstInput) {
    ASSERT_TRUE(page().showAs(390, 844, 3, true));
    pad = session->plugInPad();
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n1\n", 1));
    EXPECT_EQ(page().layout()["controls"]["count"], 11);
    holdPad("stick-up", true);
    EXPECT_TRUE(waitUntil(1s, [this] { return page().layout()["controls"]["count"] == 0; }))
        << "the touch controls stay";
    expectFits(390, 844, false);
    holdPad("stick-up", false);
    endWithEscape();
    ASSERT_TRUE(page().showAs(1920, 1080, 1, false));
}

TEST_F(PageTest, ServedFromAWebHostItInstallsAndPlaysWithTheHostGone) {
    // A web host of this test's own, which it can take away: the page's folder on the loopback.
    const char* served = std::getenv("ORBITDOTS_PAGE");
    ASSERT_NE(served, nullptr) << "no page to serve";
    const std::string file = served;
    const std::string folder = file.substr(7, file.rfind('/') - 7);
    ChildProcess host(
        {"/usr/bin/python3", supportFolder() + "/browser_program.py", "serve-page", folder}, {}, "",
        ChildProcess::Options{false, true});
    ASSERT_TRUE(host.outputEndsWithin("ready\n", kPatience)) << host.errors();
    setenv("ORBITDOTS_PAGE", announcedValue(announcement(host.output()), "ADDRESS").c_str(), 1);
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n1\n", 1));
    EXPECT_TRUE(waitUntil(kPatience, [this] { return page().servedByServiceWorker(); }))
        << "no service worker serves the page";
    EXPECT_EQ(page().installability(), std::vector<std::string>{})
        << "what keeps the page from being installed";
    endWithEscape();
    host.stop();
    ASSERT_TRUE(page().keepNothingInHttpCache());
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n1\n", 1));
    const Sample sample = exactRead();
    EXPECT_EQ(sample.x, 100);
    EXPECT_EQ(sample.y, 200);
    endWithEscape();
}

}  // namespace
