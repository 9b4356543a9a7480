// Screen scaling: every window is designed on a 9600 x 7200-twip canvas and scales itself once
// at load with one of four routines. Which window uses which routine, placement and font rules is
// kept as data (the table in ScreenScaling.cpp): a window just calls ScaleWindow with its name.
#pragma once

#include <QString>

namespace qf {

class Form;
class Screen;
class Dialogs;

constexpr double kDesignWidth = 9600;
constexpr double kDesignHeight = 7200;

enum class Placement { Centred, UpperSixth, NearTop, Fill };
enum class WindowFontRule { NewWidth, WidthRatio, HeightRatio, BaseFont, SmallerGrowth, Unchanged };
enum class ControlFontRule { CappedWidthRatio, SmallerScreenRatio, WidthRatio, SmallerGrowth,
                             Unchanged };
enum class ScalingRoutine { ResizeForm, ResizeFormTo, ScaleToScreen, ScaleToWorkArea, PlaceOnly };

struct ScalingRow {
    const char* window;
    ScalingRoutine routine;
    Placement placement;
    WindowFontRule windowFont;
    ControlFontRule controlFont;
    double offsetAboveCentre;  // PlaceOnly: twips above the vertical centre
};

// The row of a window; nullptr when the window has none.
const ScalingRow* scalingRowFor(const QString& window);

// Scales a window by its row. baseFontSize is the font size of the window whose font the
// BaseFont rule starts from (the hidden facade window's), when the row uses it.
void ScaleWindow(Form& form, const Screen& screen, Dialogs& dialogs, double baseFontSize = 0);

// Scales the window and its controls to the screen and places it 170 twips above the centre.
// Reports its own failure ("Form Resize Error") and returns.
void ResizeForm(Form& form, const Screen& screen, Dialogs& dialogs);

// Scales the window from a design size to a target size (or sets that size exactly when
// fixedSize is 1) and its controls by the growth of the client area.
void ResizeFormTo(Form& form, float targetWidth, float targetHeight, float designWidth,
                  float designHeight, quint8 fixedSize, float fontGrowth, const QString& fontName,
                  Dialogs& dialogs);

// The screen scaling most windows run at load; a failure passes to the caller.
void ScaleToScreen(Form& form, const Screen& screen, Placement placement,
                   WindowFontRule windowFont, ControlFontRule controlFont,
                   double baseFontSize = 0);

// The same over the desktop work area; a failing step is skipped, nothing is reported.
void ScaleToWorkArea(Form& form, const Screen& screen, Placement placement);

// Keeps the design size and only places the window: centred horizontally, `above` twips above
// the vertical centre.
void PlaceOnScreen(Form& form, const Screen& screen, double above);

}  // namespace qf
