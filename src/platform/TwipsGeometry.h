// Position and size in twips, kept as doubles, for windows and controls alike: one set of
// checked setters, after which the owner places its widget in pixels (applyGeometry).
#pragma once

namespace qf {

class TwipsGeometry {
public:
    virtual ~TwipsGeometry() = default;

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void Move(double left, double top, double width, double height);

protected:
    TwipsGeometry(double width, double height) : width_(width), height_(height) {}
    // Places the widget after any of the values changed.
    virtual void applyGeometry() = 0;

    double left_ = 0, top_ = 0, width_, height_;

private:
    void setOne(double& field, double v, bool sizeValue);
};

// Throws Overflow for a value no coordinate can hold, and Invalid property value for a
// negative size.
void checkTwips(double v, bool sizeValue);
// Twips to whole pixels, as the window system rounds them.
int toPixels(double twips);

}  // namespace qf
