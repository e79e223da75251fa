// The edit pop-up menu of every text field, opened for the field that asks.
#include "Context.h"
#include "ZvCom.h"

using namespace forms;

ZVCOM_API void WINAPI ZvComEditMenu(TWinControl* Control, int X, int Y) {
    SafeCall([&] {
        // The field may belong to another module: only its window is used.
        HWND field = Control ? Control->Handle() : nullptr;
        char cls[16] = {};
        if (!frmContext || !field || !GetClassNameA(field, cls, sizeof cls) || lstrcmpiA(cls, "Edit") != 0) return;
        frmContext->Target = field;
        SetFocus(field);
        POINT at = {X, Y};
        if (X < 0 || Y < 0) {
            RECT r;
            GetClientRect(field, &r);
            at = {r.right / 2, r.bottom / 2};
        }
        ClientToScreen(field, &at);
        frmContext->mnuEdit->Popup(at.x, at.y);
    });
}
