// The program body: the common library's checks, the capture library's
// start, the forms, the start action, the message loop, and the end.
#include <windows.h>

#include <cstdlib>

#include "Common.h"
#include "Forms.h"
#include "Main.h"
#include "NewHintWindow.h"
#include "ProgramForms.h"
#include "RegData.h"
#include "Startup.h"
#include "StartupDialog.h"
#include "ZvCom.h"
#include "ZvScreen.h"

namespace {

// The pictures named on the command line, or else the start action.
void ProcessStartup() {
    if (__argc > 1) {
        for (int i = 1; i < __argc; ++i) {
            if (ScreenCount() >= MaxScreens) break;
            if (IsPictureName(__argv[i])) OpenScreenFile(__argv[i]);
        }
        return;
    }
    // The start-up dialog asks, or the stored action is taken without it.
    int action = StartupAuto;
    if (HasOption(OptStartupDialog)) {
        if (frmStartup->ShowModal() != forms::mrOk) return;
        action = Startup + 1;
    }
    static const char* const kActions[] = {"mnuFileNew", "mnuFileOpen", "mnuCaptureThemeList", "mnuCaptureCapture"};
    if (action < 1 || action > 4) return;
    if (auto* item = dynamic_cast<forms::TMenuItem*>(frmMain->FindComponent(kActions[action - 1])))
        forms::Fire(item->OnClick, item);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using forms::Application;
    forms::SafeCall([] {
        Application->Initialize();
        Application->SetTitle(ProgramTitle);
        static TZvComInfo info = MakeStartupInfo(Application->Handle());
        if (!ZvComInit(info)) return;
        ZvScreenInit(info.AppHandle, info.Title, info.Tag);
        CreateProgramForms();
        UseSystemHints();
        ProcessStartup();
        Application->Run();
        ZvComDone();
        Application->DestroyComponents();
    });
    return 0;
}
