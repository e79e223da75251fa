// What the library does when it is loaded: its own hint window and timing.
#include "NewHintWindow.h"

namespace {

const struct ModuleFrame {
    ModuleFrame() { forms::SafeCall(UseSystemHints); }
} frame;

}  // namespace
