// The hint window of every module: the user-interface font at 8 points.
#pragma once
#include "Forms.h"

class TNewHintWindow : public forms::THintWindow {
public:
    TNewHintWindow();
};

// Gives the calling module's application object the system's hint window
// and timing: 500 ms before a hint shows, 10 seconds before it hides.
void UseSystemHints();
