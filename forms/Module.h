// What the form layer needs to know about the module it is linked into.
#pragma once
#include <windows.h>

namespace forms {

class TBitmap;

// The module (DLL or program) whose copy of the layer this is: window classes
// are registered for it, so that each module's windows run its own code.
HINSTANCE ModuleInstance();

// Registers, once per module, one of the layer's own window classes; its
// procedure is the controls' one unless another is given.
const char* OwnWindowClass(const char* Name, UINT Style, HBRUSH Background, WNDPROC Proc = nullptr);

// Makes Bitmap the bitmap resource Name of the module Instance, in 24 bits;
// throws when the module has no such bitmap.
void LoadBitmapResource(TBitmap& Bitmap, HINSTANCE Instance, const char* Name);

// Registers the common-control window classes of ICC_* Classes with the
// system before a control of them is made.
void UseCommonControls(DWORD Classes);

// The object of this module's layer behind a window. The links live in a
// table of this module's copy of the layer: they survive subclassing,
// windows of other modules (each with its own copy) are never taken for
// ours, and finding one, which every message to a control does, asks
// nothing of the system (a window property is a round trip to the window
// server under Wine).
void AttachObject(HWND Wnd, void* Object);
void* AttachedObject(HWND Wnd);
void DetachObject(HWND Wnd);

}  // namespace forms
