// The library's start-up: whether the host may run, the single instance, and
// the once-per-start offer of better display settings.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ComState.h"
#include "Context.h"
#include "Forms.h"
#include "ProgramValues.h"
#include "StartupChecks.h"
#include "SugColor.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

namespace {

const char* const kInitKey = "Software\\Zelvani\\Common\\Init";

// The single-instance mutex, held for the life of the host.
HANDLE InstanceMutex = nullptr;

void ShowStop(const std::string& Text) {
    ZvMessageBox(ShortString(Text), ShortString(), 1, zvIconStop, ShortString("OK"), ShortString(), ShortString());
}

std::string Format(const char* Template, const std::string& A, int B, int C) {
    char text[512];
    std::snprintf(text, sizeof text, Template, A.c_str(), B, C);
    return text;
}

// The display-suggestion flag: 1 offer the dialog (also when the value is
// missing or unreadable), 0 never again; other numbers are kept as they are.
int ReadSuggestionFlag() { return zvcom::ReadProgramValue(kInitKey, zvcom::ProgramValueName(""), 1); }

// A failed write loses only the "don't ask again" choice; the start goes on.
void WriteSuggestionFlag(int Flag) { zvcom::WriteProgramValue(kInitKey, zvcom::ProgramValueName(""), Flag); }

// Another instance holds the mutex: tell it (it comes to the front) and end.
// Hung windows of other programs are skipped rather than waited for.
bool AnotherInstanceRuns() {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, zvcom::ProductTitle.str().c_str());
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        InstanceMutex = mutex;
        return false;
    }
    if (mutex) CloseHandle(mutex);
    const UINT msg = RegisterWindowMessageA(zvcom::ProductTitle.str().c_str());
    DWORD_PTR answer;
    SendMessageTimeoutA(HWND_BROADCAST, msg, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    return true;
}

// Offers the display settings; False when the user chose to change them.
bool OfferDisplaySettings(const TZvComInfo& Info, int& Flag) {
    auto dlg = std::make_unique<TfrmSugColor>(Application);
    dlg->SetCaption(zvcom::ProductTitle.str());
    char text[512];
    std::snprintf(text, sizeof text, TfrmSugColor::kTextTemplate, Info.DocumentNoun.str().c_str(),
                  dlg->Caption().c_str());
    dlg->lblText->SetCaption(text);
    dlg->lblCurrent->SetCaption(Format(TfrmSugColor::kCurrentTemplate, zvcom::ColorClassName(ZvTotalColors()),
                                       Screen.Width(), Screen.Height()));
    const SIZE suggested = zvcom::SuggestedSize(Info.SuggestResolution);
    dlg->lblSuggest->SetCaption(Format(TfrmSugColor::kSuggestTemplate, zvcom::ColorClassName(Info.SuggestColors),
                                       suggested.cx, suggested.cy));
    const int result = dlg->ShowModal();
    if (dlg->chkDontShow->Checked()) Flag = 0;
    if (result != mrOk) return true;
    ShellExecuteA(nullptr, "open", "rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl,,3", nullptr,
                  SW_SHOWDEFAULT);
    return false;
}

bool Init(TZvComInfo& Info) {
    Application->SetHandle(Info.AppHandle);
    zvcom::ProductTitle = Info.Title;
    zvcom::ProductTag = Info.Tag;

    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    if (zvcom::Megabytes(memory.ullTotalPhys) < Info.MinMemoryMB) {
        char text[128];
        std::snprintf(text, sizeof text, "You must have at least %dMB of RAM.", Info.MinMemoryMB);
        ShowStop(text);
        return false;
    }

    ShortString version;
    ZvOSVersion(1, version);
    const zvcom::ComponentVerdict components = zvcom::CheckComponents(version.str(), Info.Title.str());
    if (!components.Passed) {
        if (!components.Message.empty()) ShowStop(components.Message);
        return false;
    }

    if (Info.SingleInstance && AnotherInstanceRuns()) return false;

    if (ZvTotalColors() < Info.MinColors) {
        ShowStop(Info.Title.str() + " requires at least a " + zvcom::ColorClassName(Info.MinColors) +
                 "-color display to run.");
        return false;
    }

    int flag = ReadSuggestionFlag();
    bool result = true;
    if (Info.SuggestDisplay && flag == 1 &&
        !zvcom::DisplayGoodEnough(ZvTotalColors(), Screen.Width(), Screen.Height(), Info.SuggestColors,
                                  Info.SuggestResolution))
        result = OfferDisplaySettings(Info, flag);
    if (!frmContext) frmContext = new TfrmContext(Application);
    WriteSuggestionFlag(flag);
    return result;
}

}  // namespace

ZVCOM_API bool WINAPI ZvComInit(TZvComInfo& Info) { return Guarded(false, [&] { return Init(Info); }); }

ZVCOM_API void WINAPI ZvComDone() {
    SafeCall([] {
        Free(frmContext);
        frmContext = nullptr;
        // The host is ending: the name of the single instance is free again.
        if (InstanceMutex) CloseHandle(InstanceMutex);
        InstanceMutex = nullptr;
    });
}
