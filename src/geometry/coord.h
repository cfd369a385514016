#pragma once

// An integer pair: the steered dot's position on the play field, or a per-frame displacement.
// The validating constructor and operator+ read the play field's size from the video surface, so
// they may only run once the video mode is set.
class Coord {
  public:
    Coord() = default;

    // Starts at (x, y) if that lies on the play field. An x outside it becomes 0 (y is then taken
    // unchecked); otherwise a y outside it becomes 0. Each correction writes two lines to standard
    // output.
    Coord(int startX, int startY);

    Coord(const Coord& other) = default;
    Coord& operator=(const Coord& other) = default;
    virtual ~Coord() = default;

    int getX() const { return x; }
    int getY() const { return y; }
    void setX(int value) { x = value; }
    void setY(int value) { y = value; }

    // Adds d only if the sum stays within -50 ... 50; an increment that would leave it is dropped
    // whole.
    void addX(int d);
    void addY(int d);

    // Both operators take their argument by value, like every Coord: it is two ints.

    // The sum, with x saturated at W - 7, or else y at H - 7: one axis per call, none from below.
    Coord operator+(Coord other) const;  // NOLINT(performance-unnecessary-value-param)

    // The difference, with x raised to 0 if negative, or else y.
    Coord operator-(Coord other) const;  // NOLINT(performance-unnecessary-value-param)

  private:
    int x = 0;
    int y = 0;
};
