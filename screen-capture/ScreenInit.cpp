#include "Forms.h"
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
