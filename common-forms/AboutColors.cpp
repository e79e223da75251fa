#include "AboutColors.h"

#include <algorithm>
#include <cmath>

namespace {

int Component(forms::TColor C, int Shift) { return (C >> Shift) & 0xFF; }

forms::TColor Rgb(int R, int G, int B) { return R | (G << 8) | (B << 16); }

struct TCycleState {
    int State;
    int Shift;       // of the component that changes: 0 red, 8 green, 16 blue
    int Step;        // +10 or -10
    forms::TColor End;
    int Next;
};

// The wheel's corners in turn: magenta, red, yellow, green, cyan, blue.
const TCycleState kCycle[] = {
    {32, 0, +10, Rgb(255, 0, 255), 11},  {11, 16, -10, Rgb(255, 0, 0), 12}, {12, 8, +10, Rgb(255, 255, 0), 21},
    {21, 0, -10, Rgb(0, 255, 0), 22},    {22, 16, +10, Rgb(0, 255, 255), 31}, {31, 8, -10, Rgb(0, 0, 255), 32},
};

}  // namespace

namespace zvcom {

forms::TColor FadeColor(forms::TColor Ground, forms::TColor Text, int Pass) {
    forms::TColor result = 0;
    for (int shift : {0, 8, 16}) {
        const int ground = Component(Ground, shift), text = Component(Text, shift);
        const int c = ground - static_cast<int>(std::lrint((ground - text) / 255.0 * Pass * 2 + 1));
        result |= std::clamp(c, 0, 255) << shift;
    }
    return result;
}

void NextCycleColor(int& State, forms::TColor& Color) {
    const auto* s = std::find_if(std::begin(kCycle), std::end(kCycle), [&](const TCycleState& c) { return c.State == State; });
    if (s == std::end(kCycle)) s = std::begin(kCycle);  // an unknown state starts the cycle again
    const int value = Component(Color, s->Shift);
    const bool atEnd = s->Step > 0 ? value > 244 : value < 11;
    if (atEnd) {
        Color = s->End;
        State = s->Next;
        return;
    }
    const int changed = std::clamp(value + s->Step, 0, 255);
    Color = (Color & ~(0xFF << s->Shift)) | (changed << s->Shift);
}

}  // namespace zvcom
