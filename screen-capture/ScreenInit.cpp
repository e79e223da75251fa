#include "Forms.h"
#include "NewHintWindow.h"
#include "ScreenState.h"
#include "ZvScreen.h"

namespace zvscreen {

ShortString ProductTitle;
ShortString ProductTag;

}  // namespace zvscreen

ZVSCREEN_API void WINAPI ZvScreenInit(HWND AppHandle, const ShortString& Title, const ShortString& Tag) {
    forms::SafeCall([&] {
        forms::Application->SetHandle(AppHandle);
        zvscreen::ProductTitle = Title;
        zvscreen::ProductTag = Tag;
    });
}

// What the library does when it is loaded: its own hint window and timing.
namespace {

const struct ModuleFrame {
    ModuleFrame() { forms::SafeCall(UseSystemHints); }
} frame;

}  // namespace
