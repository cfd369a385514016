#include <gtest/gtest.h>

#include <string>

#include "common/playfield.h"
#include "expected_texts.h"
#include "geometry/coord.h"
#include "video_fixture.h"

namespace {

// Coord only reads the surface's size, so a surface of the program's size without SDL will do.
class CoordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        surface.w = 800;
        surface.h = 600;
        screen = &surface;
    }
    void TearDown() override { screen = nullptr; }

    SDL_Surface surface{};
};

void expectAt(const Coord& c, int x, int y) {
    EXPECT_EQ(c.getX(), x);
    EXPECT_EQ(c.getY(), y);
}

TEST_F(CoordTest, ValidatingConstructorKeepsThePlayFieldWithAnExclusiveBound) {
    CoutCapture out;
    expectAt(Coord(792, 592), 792, 592);
    expectAt(Coord(0, 0), 0, 0);
    EXPECT_EQ(out.text(), "");
}

TEST_F(CoordTest, InvalidXIsResetWithTwoLinesAndYGoesUnchecked) {
    for (const auto& [x, y, expectedY] : {std::tuple{793, 0, 0}, {-1, 10, 10}, {900, 700, 700}}) {
        CoutCapture out;
        expectAt(Coord(x, y), 0, expectedY);
        EXPECT_EQ(out.text(), kXCorrected) << x << "," << y;
    }
}

TEST_F(CoordTest, InvalidYIsResetWithTwoLines) {
    for (const auto& [x, y] : {std::pair{5, 593}, {5, -1}}) {
        CoutCapture out;
        expectAt(Coord(x, y), 5, 0);
        EXPECT_EQ(out.text(), kYCorrected) << x << "," << y;
    }
}

TEST_F(CoordTest, AdditionSaturatesOneAxisPerCallAtTheFarEdges) {
    CoutCapture out;
    expectAt(Coord(790, 590) + Coord(5, 5), 793, 595);
    expectAt(Coord(100, 590) + Coord(0, 5), 100, 593);
    expectAt(Coord(792, 0) + Coord(1, 0), 793, 0);
    expectAt(Coord(0, 592) + Coord(0, 1), 0, 593);
    EXPECT_EQ(out.text(), "") << "addition never writes to the console";
}

TEST_F(CoordTest, AdditionHasNoLowerSaturation) {
    Coord step;
    step.setX(-4);
    step.setY(-6);
    expectAt(Coord(0, 0) + step, -4, -6);
}

TEST_F(CoordTest, SubtractionRaisesOneNegativeAxisToZero) {
    expectAt(Coord(3, 5) - Coord(5, 1), 0, 4);
    expectAt(Coord(5, 3) - Coord(1, 5), 4, 0);
    expectAt(Coord(3, 3) - Coord(5, 5), 0, -2);
}

TEST_F(CoordTest, IncrementsThatWouldLeaveFiftyAreDroppedWhole) {
    Coord c;
    c.setX(45);
    c.addX(5);
    EXPECT_EQ(c.getX(), 50);
    c.setX(45);
    c.addX(6);
    EXPECT_EQ(c.getX(), 45);
    c.setX(-45);
    c.addX(-5);
    EXPECT_EQ(c.getX(), -50);
    c.setX(-45);
    c.addX(-6);
    EXPECT_EQ(c.getX(), -45);
    c.setY(49);
    c.addY(2);
    EXPECT_EQ(c.getY(), 49);
    EXPECT_EQ(c.getX(), -45) << "addY leaves x alone";
}

}  // namespace
