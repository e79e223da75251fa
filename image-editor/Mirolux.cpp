// The program body: the common library's checks, the capture library's
// start, the forms, the message loop, and the end.
#include <windows.h>

#include "Forms.h"
#include "Main.h"
#include "NewHintWindow.h"
#include "Startup.h"
#include "ZvCom.h"
#include "ZvScreen.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using forms::Application;
    forms::SafeCall([] {
        Application->Initialize();
        Application->SetTitle(ProgramTitle);
        static TZvComInfo info = MakeStartupInfo(Application->Handle());
        if (!ZvComInit(info)) return;
        ZvScreenInit(info.AppHandle, info.Title, info.Tag);
        Application->CreateForm(frmMain);
        UseSystemHints();
        Application->Run();
        ZvComDone();
        Application->DestroyComponents();
    });
    return 0;
}
