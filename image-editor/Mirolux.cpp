// The program body: the application object, the main window, the message loop.
#include <windows.h>

#include "Forms.h"
#include "Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::SafeCall([] {
        forms::Application->Initialize();
        forms::Application->SetTitle("Zelvani Mirolux");
        forms::Application->CreateForm(frmMain);
        forms::Application->Run();
    });
    return 0;
}
