// The program's main window in a test's own process, and the helpers of the
// tests that drive it: pictures of known pixels and answers to the
// program's message boxes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Brightness.h"
#include "Catalog.h"
#include "CatalogComment.h"
#include "Child.h"
#include "CloseAll.h"
#include "ColorDepth.h"
#include "Common.h"
#include "Main.h"
#include "New.h"
#include "Options.h"
#include "ProgramForms.h"
#include "RegData.h"
#include "Resize.h"
#include "Rotate.h"
#include "SetAsWallpaper.h"
#include "Registry.h"
#include "Startup.h"
#include "StartupDialog.h"
#include "TestSupport.h"
#include "Window.h"
#include "Zelvani.h"

namespace programwindows {

using namespace forms;

// The main window and its dialogs, made once as the program makes them, on settings of a first start with the start-up dialog off.
class ProgramWindows : public ::testing::Environment {
public:
    void SetUp() override {
        TRegistry reg;
        reg.DeleteKey("\\Software\\Zelvani\\Mirolux");
        Application->Initialize();
        Application->SetTitle(ProgramTitle);
        CreateProgramForms();
    }
    void TearDown() override { Application->DestroyComponents(); }
};
inline const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ProgramWindows);

inline std::string TempFolder() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string folder = std::string(path) + "MiroluxScreenTest";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// A bitmap file of W x H whose pixel (x, y) is RGB(x, y, 7).
inline std::string MakePicture(const std::string& Name, int W, int H) {
    TBitmap b;
    b.SetSize(W, H);
    for (int y = 0; y < H; ++y) {
        std::uint8_t* row = b.ScanLine(y);
        for (int x = 0; x < W; ++x) {
            row[3 * x] = 7;
            row[3 * x + 1] = static_cast<std::uint8_t>(y % 256);
            row[3 * x + 2] = static_cast<std::uint8_t>(x % 256);
        }
    }
    const std::string file = TempFolder() + "\\" + Name;
    EXPECT_TRUE(ZvSavePicture(file.c_str(), &b)) << file;
    return file;
}

// The texts of the next message box of this program that has a button of
// that caption, and a press of the button: the thread's windows are looked
// through every 100 ms from the box's own modal loop. After 8 seconds
// without such a box, the thread's enabled windows are closed, so that the
// test fails instead of waiting for ever.
// The answer's timer goes with it, so that a box that never came leaves no
// timer behind that writes into a finished test.
struct Answer {
    Answer() = default;
    Answer(const Answer&) = delete;
    Answer& operator=(const Answer&) = delete;
    ~Answer() { Free(Timer); }
    std::string Text;
    bool Shown = false;
    TTimer* Timer = nullptr;
};
inline void AnswerNextBox(Answer& Seen, const std::string& Button) {
    auto* timer = new TTimer(frmMain);
    Free(Seen.Timer);
    Seen.Timer = timer;
    timer->SetInterval(100);
    timer->Tag = 0;  // the tries so far
    timer->OnTimer = [timer, &Seen, Button](TComponent*) {
        struct Walk {
            const std::string& Button;
            std::string Text;
            HWND Press = nullptr;
            static BOOL CALLBACK Child(HWND w, LPARAM p) {
                auto* walk = reinterpret_cast<Walk*>(p);
                char cls[32], text[512];
                GetClassNameA(w, cls, sizeof cls);
                GetWindowTextA(w, text, sizeof text);
                if (lstrcmpiA(cls, "Static") == 0) walk->Text += text;
                if (lstrcmpiA(cls, "Button") == 0 && walk->Button == text) walk->Press = w;
                return TRUE;
            }
            static BOOL CALLBACK Top(HWND w, LPARAM p) {
                auto* walk = reinterpret_cast<Walk*>(p);
                if (!IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
                walk->Text.clear();
                EnumChildWindows(w, &Child, p);
                return walk->Press == nullptr;
            }
        } walk{Button};
        EnumThreadWindows(GetCurrentThreadId(), &Walk::Top, reinterpret_cast<LPARAM>(&walk));
        if (!walk.Press && ++timer->Tag < 80) return;
        timer->SetEnabled(false);
        Seen.Shown = walk.Press != nullptr;
        if (walk.Press) {
            Seen.Text = walk.Text;
            SendMessageA(walk.Press, BM_CLICK, 0, 0);
        } else {
            EnumThreadWindows(GetCurrentThreadId(), &testsupport::CloseIfEnabled, 0);
        }
    };
}

// Waits as PumpUntil does, noting meanwhile whether the application window
// ever showed: it has no face of its own, the main window stands for the
// program.
struct ApplicationWindowWatch {
    bool Until(const std::function<bool()>& Done, int Ms = 5000) {
        return testsupport::PumpUntil([&] {
            Shown = Shown || IsWindowVisible(Application->Handle());
            return Done();
        }, Ms);
    }
    bool Shown = false;
};

// A key pressed and released with nothing else in between, for the items of
// a menu that is open.
inline void Tap(WORD Vk) {
    testsupport::Key(Vk, false);
    testsupport::Key(Vk, true);
}

// Waits until the input sent has been handled, and its paints done.
inline void Settle() {
    testsupport::PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 1000);
    testsupport::PumpFor(100);
}

// The main window's answer when the system asks whether the session may
// end (a log-off or shut-down).
inline bool SessionMayEnd() { return SendMessageA(frmMain->Handle(), WM_QUERYENDSESSION, 0, 0) != FALSE; }

// A coded settings string of these bytes, positions 1 on.
inline ShortString Coded(std::initializer_list<int> Bytes) {
    ShortString s;
    for (int b : Bytes) s.Chars[s.Length++] = static_cast<char>(b);
    return s;
}

inline void EmptyTheClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

// Quick-capture settings that capture at once, the whole screen without
// the cursor, to the clipboard.
inline void UseTestCaptureSettings() {
    WhenSettings = Coded({0, 1, 0, 0, 0});
    WhatSettings = Coded({0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255});
    ThenSettings = Coded({3, 0, 2, 0, 0, 6, 'S', 'c', 'r', 'e', 'e', 'n'});
    CaptureOptions = Coded({0, 0});
}

// A point of a screen's caption, on the screen: just after its icon, clear
// of the buttons also when the window is narrow.
inline POINT CaptionOf(TfrmChild* Screen) {
    RECT frame;
    GetWindowRect(Screen->Handle(), &frame);
    return POINT{frame.left + GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXSMICON) + 8,
                 frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}

// Opens a dialog of the program with Open (the user's keys or clicks on the
// main window) and, once it shows, runs Answer in it (what the test reads of
// it, then input that closes it); waits until the dialog and what it led to
// are done. False when the dialog never showed.
inline bool UseDialog(TForm* Dialog, TComponent* Timers, const std::function<void()>& Open,
                      const std::function<void()>& Answer) {
    // The answer waits for the dialog from a timer, which runs in the
    // dialog's own loop however late the input opens it.
    bool shown = false;
    testsupport::WhenReady(*Timers, [Dialog] { return Dialog->Showing(); }, [&] {
        shown = true;
        testsupport::ToFront();
        Answer();
    });
    frmMain->SetFocus();
    Open();
    if (!testsupport::PumpUntil([&] { return shown; }, 5000)) return false;
    testsupport::PumpUntil([&] { return !Dialog->Showing() && frmMain->Enabled(); }, 10000);
    Settle();
    return true;
}

// Closes every screen without a question.
inline void CloseEveryScreen() {
    for (int i = 0; TfrmChild* s = ScreenAt(i); ++i) s->AskSave = false;
    while (TfrmChild* s = ScreenAt(0)) {
        s->Tag &= ~1;
        Free(s);
    }
}

}  // namespace programwindows
