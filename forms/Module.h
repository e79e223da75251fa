// What the form layer needs to know about the module it is linked into.
#pragma once
#include <windows.h>

namespace forms {

// The module (DLL or program) whose copy of the layer this is: window classes
// are registered for it, so that each module's windows run its own code.
HINSTANCE ModuleInstance();

// Registers, once per module, one of the layer's own window classes; its
// procedure is the controls' one unless another is given.
const char* OwnWindowClass(const char* Name, UINT Style, HBRUSH Background, WNDPROC Proc = nullptr);

}  // namespace forms
