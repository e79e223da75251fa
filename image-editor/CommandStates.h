// Which commands of the main window's bars can run, from what the window
// knows of the open screens and the last capture.
#pragma once
#include <string>

#include "Graphics.h"

// What the active screen shows; all false without one.
struct TScreenFacts {
    bool Active = false;
    bool Floating = false;            // a floating selection is shown
    bool FloatCoversPicture = false;  // and it is the whole picture
    bool CanUndo = false;
    bool CanRedo = false;
    forms::TColor BackColor = forms::clWhite;  // the screen's own background
};

struct TCommandStates {
    bool New, Open, Save, Cut, Copy, Undo, Redo, Crop, Rotate, Resize, Brightness, PreviousScreen;
};

TCommandStates CommandStatesFor(int ScreenCount, int MaxScreens, const TScreenFacts& Screen, bool HaveCapture);

// A quick-capture item names a page of the Properties dialog in its last two
// digits; the pages ending in 0 have nothing to set.
bool HasProperties(const std::string& ItemText);

// The option list that belongs to a drawing tool (0..11, tool number minus 1).
enum TOptionList { olNone, olWidth, olType, olAirbrushSize, olEraserSize, olFont };
TOptionList OptionListFor(int Tool);
