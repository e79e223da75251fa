// The mouse cursor as a capture draws it: its image, where it is, and the
// point of the image that is at that place.
#include "Classes.h"
#include "Zelvani.h"

namespace {

HICON Cursor(POINT& Pos, POINT& HotSpot) {
    Pos = {0, 0};
    HotSpot = {0, 0};
    CURSORINFO ci = {};
    ci.cbSize = sizeof ci;
    if (!GetCursorInfo(&ci) || !(ci.flags & CURSOR_SHOWING) || !ci.hCursor) return nullptr;
    Pos = ci.ptScreenPos;
    ICONINFO ii = {};
    if (GetIconInfo(ci.hCursor, &ii)) {
        HotSpot = {static_cast<LONG>(ii.xHotspot), static_cast<LONG>(ii.yHotspot)};
        // The call made copies of the cursor's bitmaps for the caller.
        if (ii.hbmMask) DeleteObject(ii.hbmMask);
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
    }
    // The handle is the system's cursor, shared: the caller draws it and
    // leaves it.
    return ci.hCursor;
}

}  // namespace

ZELVANI_API HICON WINAPI ZvGetCursor(POINT& Pos, POINT& HotSpot) {
    return forms::Guarded(static_cast<HICON>(nullptr), [&] { return Cursor(Pos, HotSpot); });
}
