#include "CommandStates.h"

TCommandStates CommandStatesFor(int ScreenCount, int MaxScreens, const TScreenFacts& Screen, bool HaveCapture) {
    TCommandStates s = {};
    s.New = s.Open = ScreenCount < MaxScreens;
    if (Screen.Active) {
        s.Save = true;
        s.Cut = s.Copy = Screen.Floating;
        s.Undo = Screen.CanUndo;
        s.Redo = Screen.CanRedo;
        s.Crop = Screen.Floating && !Screen.FloatCoversPicture;
    }
    s.Rotate = s.Resize = s.Brightness = Screen.Active;
    s.PreviousScreen = HaveCapture;
    return s;
}

bool HasProperties(const std::string& ItemText) { return !ItemText.empty() && ItemText.back() != '0'; }

TOptionList OptionListFor(int Tool) {
    switch (Tool) {
    case 1: case 7: case 8: return olWidth;
    case 9: case 10: case 11: return olType;
    case 6: return olAirbrushSize;
    case 2: return olEraserSize;
    case 3: return olFont;
    default: return olNone;
    }
}
