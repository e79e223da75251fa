// The colours of the about box's version text: fading in from the ground,
// and the cycle through the colour wheel's corners that follows.
#pragma once
#include "Graphics.h"

namespace zvcom {

// The passes of a fade, and the colour of pass Pass (0 .. kFadePasses - 1)
// on the way from Ground towards Text: each component moves by about two
// steps of 255 a pass, and never leaves 0..255 whichever way it goes.
constexpr int kFadePasses = 128;
forms::TColor FadeColor(forms::TColor Ground, forms::TColor Text, int Pass);

// The cycle's states, each named by the component it changes: red up
// (32), blue down (11), green up (12), red down (21), blue up (22), green
// down (31); the cycle starts from pure blue in state 32.
constexpr int kFirstCycleState = 32;
// One tick of the cycle: Color changes the state's component by 10, or,
// once the component has reached its end, becomes the state's end colour
// and State moves on.
void NextCycleColor(int& State, forms::TColor& Color);

}  // namespace zvcom
