#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/scene.h"
#include "common/playfield.h"
#include "input/input.h"
#include "video_fixture.h"

namespace {

class OrbitTest : public DummyVideoTest {
  protected:
    void frame(Scene& scene) { ASSERT_EQ(runFrame(scene, input), FrameOutcome::Shown); }

    static void expectDotAt(int x, int y) {
        EXPECT_TRUE(squareIs(x, y, 7, kBlackPixel)) << "no dot at " << x << "," << y;
    }

    static std::vector<unsigned long> picture() { return SurfacePixels().shot().pixels; }

    Input input;
};

TEST_F(OrbitTest, OneDotAtPhaseZeroSitsBelowThePlayer) {
    Scene scene(400, 300, 1);
    frame(scene);
    expectDotAt(397, 327);
    EXPECT_EQ(countPixels(kBlackPixel), 49);
    EXPECT_EQ(scene.rtCenter.x, 400);
    EXPECT_EQ(scene.rtCenter.y, 330);
}

TEST_F(OrbitTest, SineGoesToXAndCosineToY) {
    Scene scene(400, 300, 4);
    input.radius = 100;
    frame(scene);
    expectDotAt(397, 397);  // below
    expectDotAt(497, 297);  // right
    expectDotAt(397, 197);  // above
    expectDotAt(297, 297);  // left
    EXPECT_EQ(countPixels(kBlackPixel), 4 * 49);
}

TEST_F(OrbitTest, ThePhaseTurnsTheDotsCounterClockwise) {
    Scene scene(400, 300, 1);
    scene.angle = 87;
    frame(scene);
    frame(scene);  // phase 90: a quarter turn from below is to the right on the screen
    expectDotAt(427, 297);
}

TEST_F(OrbitTest, OffsetsAreFormedProductFirst) {
    Scene scene(400, 300, 7);
    input.radius = 100;
    frame(scene);
    // The second of seven dots is 51 degrees on, not 7 x (360 / 7) = 49.
    const auto& dot = scene.dots[1];
    EXPECT_EQ(dot.x, 400 + 77 - 3);  // sin(51 deg) x 100 = 77.7
    EXPECT_EQ(dot.y, 300 + 62 - 3);  // cos(51 deg) x 100 = 62.9
}

TEST_F(OrbitTest, CentresAreTruncatedNotRounded) {
    // sin(30 deg) x 30 is 14.999999999999998: the corner is at 11, not 12.
    Scene scene(0, 0, 1);
    scene.angle = 30;
    frame(scene);
    EXPECT_EQ(scene.dots[0].x, 11);
    expectDotAt(11, 22);
    EXPECT_EQ(pixelAt(18, 22), kWhitePixel);
}

TEST_F(OrbitTest, TheOffsetIsRoundedBeforeThePlayerIsAdded) {
    // The product and the sum rounded one after the other give a whole number in these cases;
    // a fused multiply-add, rounded once, gives just under it and so the pixel before.
    struct Case {
        int angle;
        int radius;
        double factor;  // sine for x, cosine for y
        bool onX;
        int centre;
    };
    // Radians as the orbit forms them: degrees times pi, then divided by 180.
    constexpr double kPi = 3.141592653589793;
    const Case cases[] = {
        {210, 66, std::sin(210 * kPi / 180.0), true, 67},
        {330, 18, std::sin(330 * kPi / 180.0), true, 91},
        {240, 18, std::cos(240 * kPi / 180.0), false, 91},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        ASSERT_EQ(static_cast<int>(std::fma(c.factor, c.radius, 100.0)), c.centre - 1)
            << "the case must tell the two roundings apart";
        Scene scene(100, 100, 1);
        input.radius = c.radius;
        scene.angle = c.angle;
        frame(scene);
        const int x = c.onX ? c.centre : scene.rtCenter.x;
        const int y = c.onX ? scene.rtCenter.y : c.centre;
        expectDotAt(x - 3, y - 3);
        EXPECT_EQ(countPixels(kBlackPixel), 49);
    }
}

TEST_F(OrbitTest, NegativeCentresAreTruncatedTowardZero) {
    // Radius 3 at 210 degrees around (0, 0): -1.5 gives -1 and -2.598 gives -2, not -2 and -3.
    Scene scene(0, 0, 1);
    input.radius = 3;
    scene.angle = 210;
    frame(scene);
    EXPECT_EQ(scene.rtCenter.x, -1);
    EXPECT_EQ(scene.rtCenter.y, -2);
    EXPECT_EQ(scene.dots[0].x, -4 + 793);
    EXPECT_EQ(scene.dots[0].y, -5 + 593);
}

TEST_F(OrbitTest, ACornerLeftOfTheFieldWrapsToTheRight) {
    // sin(270 deg) x 30 = -30: corner -33, wrapped 760; y: -3 wrapped 590.
    Scene scene(0, 0, 1);
    scene.angle = 270;
    frame(scene);
    EXPECT_EQ(scene.dots[0].x, 760);
    EXPECT_EQ(scene.dots[0].y, 590);
    expectDotAt(760, 590);
}

TEST_F(OrbitTest, DotsArePlacedAroundThePlayerBeforeItWraps) {
    // From x = 0 with velocity -50 the player is at -50 when the dot is placed: -37.5 gives a
    // centre of -37, a corner of -40 and, wrapped, 753. Around the wrapped 743 it would be 752.
    Scene scene(25, 300, 1);
    input.inertia = true;
    input.radius = 25;
    speed = 25;
    scene.angle = 27;
    hold({SDLK_LEFT});
    frame(scene);
    ASSERT_EQ(scene.player.getX(), 0);
    frame(scene);
    EXPECT_EQ(scene.player.getX(), 743);
    EXPECT_EQ(scene.dots[0].x, 753);
    expectDotAt(753, 318);
    EXPECT_EQ(pixelAt(752, 318), kWhitePixel);
}

TEST_F(OrbitTest, RadiusZeroStacksEveryDotUnderTheRedOne) {
    Scene scene(400, 300, 12);
    input.radius = 0;
    frame(scene);
    for (const SDL_Rect& dot : scene.dots) {
        EXPECT_EQ(dot.x, 397);
        EXPECT_EQ(dot.y, 297);
    }
    EXPECT_TRUE(squareIs(400, 300, 2, kRedPixel)) << "the red dot is drawn last, on top";
    EXPECT_EQ(countPixels(kBlackPixel), 49 - 4);
}

TEST_F(OrbitTest, AFullTurnTakes120Frames) {
    Scene scene(400, 300, 12);
    frame(scene);
    const std::vector<unsigned long> first = picture();
    for (int i = 1; i < 120; ++i) {
        frame(scene);
    }
    EXPECT_EQ(scene.angle, 0);
    frame(scene);
    EXPECT_TRUE(picture() == first);
}

TEST_F(OrbitTest, PageUpWidensTheOrbit) {
    Scene scene(400, 300, 1);
    hold({SDLK_PAGEUP});
    for (int i = 0; i < 10; ++i) {
        frame(scene);
    }
    // Radius 40 at phase 27: sin 18.2, cos 35.6.
    EXPECT_EQ(scene.dots[0].x, 400 + 18 - 3);
    EXPECT_EQ(scene.dots[0].y, 300 + 35 - 3);
}

TEST_F(OrbitTest, NoDotsMeansNothingBlack) {
    Scene scene(400, 300, 0);
    frame(scene);
    frame(scene);
    EXPECT_TRUE(scene.dots.empty());
    EXPECT_EQ(countPixels(kBlackPixel), 0);
    EXPECT_EQ(scene.angle, 6) << "the phase turns even with no dots";
}

TEST_F(OrbitTest, ADotCutAtTheBorderKeepsItsSizeForLaterFrames) {
    // y goes unchecked when x is invalid: far above the field the dot takes three frames of
    // wrapping to come back, and lies wholly above the surface in the first two.
    CoutCapture out;
    Scene scene(900, -1300, 1);
    frame(scene);
    frame(scene);
    EXPECT_EQ(countPixels(kBlackPixel), 0);
    frame(scene);
    EXPECT_EQ(scene.dots[0].w, 7);
    EXPECT_EQ(scene.dots[0].h, 7);
    expectDotAt(scene.dots[0].x, scene.dots[0].y);
    EXPECT_EQ(countPixels(kBlackPixel), 49);
}

}  // namespace
