// A quick capture from arming to its action, in the program's own main
// window: each trigger (timer, delay, hot key, icon), the program hidden
// meanwhile and back after, each action, the refusals and the numbered
// capture files.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <vector>

#include "CaptureFixture.h"
#include "Child.h"
#include "Common.h"
#include "EditCommands.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

using Capturing = CaptureFixture;

TEST(CaptureFiles, TakeTheFirstFreeNumberOfThePattern) {
    const std::string folder = TempFolder() + "\\numbered";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* old : {"Screen01.bmp", "Screen03.bmp", "Shot001-a.bmp"}) {
        DeleteFileA((folder + "\\" + old).c_str());
    }
    EXPECT_EQ(NextCaptureFileName(folder, "Screen", 2, false), folder + "\\Screen01.bmp");
    EXPECT_EQ(NextCaptureFileName(folder + "\\", "Screen", 2, true), folder + "\\Screen1.bmp");
    for (const char* made : {"Screen01.bmp", "Screen03.bmp", "Shot001-a.bmp"}) std::ofstream(folder + "\\" + made) << "x";
    EXPECT_EQ(NextCaptureFileName(folder, "Screen", 2, false), folder + "\\Screen02.bmp") << "gaps are filled";
    EXPECT_EQ(NextCaptureFileName(folder, "Shot*-a", 3, false), folder + "\\Shot002-a.bmp");
    EXPECT_EQ(NextCaptureFileName(folder, "S", 1, false), folder + "\\S1.bmp");
    EXPECT_EQ(NextCaptureFileName(folder, "Screen", 0, false), folder + "\\Screen1.bmp") << "no digit is cut";
}

TEST_F(Capturing, ImmediatelyHidesTheProgramCapturesAndCopiesToTheClipboard) {
    ArmCapture();
    EXPECT_TRUE(CaptureArmed);
    EXPECT_FALSE(Shown()) << "the program hides while armed";
    bool closed = true;
    frmMain->Form_CloseQuery(frmMain, closed);
    EXPECT_FALSE(closed) << "an armed capture keeps the program open";
    ASSERT_TRUE(Captured());
    ASSERT_NE(CapturedBitmap, nullptr);
    EXPECT_EQ(CapturedBitmap->Width(), Screen.Width());
    TBitmap clip;
    ASSERT_TRUE(ReadClipboard(clip));
    EXPECT_EQ(clip.Width(), Screen.Width());
    EXPECT_EQ(clip.Height(), Screen.Height());
    EXPECT_EQ(frmMain->tmrCapture->Tag, -1);
    frmMain->UpdateCommandStates();
    EXPECT_TRUE(frmMain->tlnPreviousScreen->Enabled());
}

TEST_F(Capturing, AfterACaptureTheMainWindowIsInFrontAndTakesTheKeys) {
    ApplicationWindowWatch watch;
    ArmCapture();
    ASSERT_TRUE(watch.Until([] { return !CaptureArmed && Shown(); }));
    // F10 in another window would open that window's system menu.
    ASSERT_TRUE(watch.Until([] { return GetForegroundWindow() == frmMain->Handle(); }))
        << "in front instead: window " << GetForegroundWindow() << ", the application window is "
        << Application->Handle();
    EXPECT_EQ(GetActiveWindow(), frmMain->Handle());

    // F10, the Capture Now key, reaches the main window: a second capture
    // comes to the emptied clipboard.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    Press(VK_F10);
    TBitmap clip;
    EXPECT_TRUE(watch.Until([&] { return !CaptureArmed && Shown() && ReadClipboard(clip); }))
        << "F10 did not reach the main window after the capture";
    EXPECT_FALSE(watch.Shown) << "the application window showed";
}

TEST_F(Capturing, ADelayCountsDownItsSecondsFirst) {
    WhenSettings = Coded({1, 2, 0, 0, 0});
    CaptureOptions = Coded({1, 0});
    ThenSettings = Coded({2, 1, 2, 0, 0, 0});  // into a new screen
    ArmCapture();
    std::vector<int> tags = {frmMain->tmrCapture->Tag};
    PumpUntil([&] {
        if (frmMain->tmrCapture->Tag != tags.back()) tags.push_back(frmMain->tmrCapture->Tag);
        return !CaptureArmed;
    }, 5000);
    EXPECT_EQ(tags, (std::vector<int>{2, 1, 0, -1})) << "two seconds, then the capture's own tick";
    ASSERT_EQ(ScreenCount(), 1);
    EXPECT_EQ(ActiveScreen()->Caption().rfind("Screen ", 0), 0u);
    EXPECT_EQ(ActiveScreen()->picMain->Width(), Screen.Width());
}

TEST_F(Capturing, TheHotKeyAndTheIconClickFireOnceAndAKeyInUseArmsNothing) {
    WhenSettings = Coded({2, 1, 0, (scCtrl | scAlt) >> 8, VK_F11});
    ArmCapture();
    ASSERT_TRUE(CaptureArmed);
    PostMessageA(frmMain->Handle(), WM_HOTKEY, 0, 0);
    ASSERT_TRUE(Captured());

    // Another program's key: the user is told, the program stays shown.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x2001, MOD_CONTROL | MOD_ALT, VK_F11));
    Answer told;
    AnswerNextBox(told, "OK");
    ArmCapture();
    UnregisterHotKey(nullptr, 0x2001);
    EXPECT_EQ(told.Text, "The shortcut key is in use by another program. Please choose another one.");
    EXPECT_FALSE(CaptureArmed);
    EXPECT_TRUE(Shown());

    WhenSettings = Coded({3, 1, 1, 0, 0});  // a right click on the icon
    ArmCapture();
    SendMessageA(frmMain->Handle(), WM_CAPTUREICON, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(CaptureArmed) << "another click than the chosen one";
    SendMessageA(frmMain->Handle(), WM_CAPTUREICON, 0, WM_RBUTTONDOWN);
    EXPECT_TRUE(Captured());
}

TEST_F(Capturing, TheEndOfTheSessionPutsAnArmedCaptureDownAndShowsTheProgram) {
    WhenSettings = Coded({2, 1, 0, (scCtrl | scAlt) >> 8, VK_F11});
    CaptureOptions = Coded({1, 0});
    ArmCapture();
    ASSERT_TRUE(CaptureArmed);
    EXPECT_TRUE(SessionMayEnd()) << "nothing to save: the session may end";
    EXPECT_FALSE(CaptureArmed);
    EXPECT_TRUE(Shown()) << "the program shows again";
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x2002, MOD_CONTROL | MOD_ALT, VK_F11)) << "the hot key is still taken";
    UnregisterHotKey(nullptr, 0x2002);

    // A countdown put down takes no picture.
    WhenSettings = Coded({1, 1, 0, 0, 0});
    const TBitmap* before = CapturedBitmap;
    ArmCapture();
    ASSERT_TRUE(CaptureArmed);
    EXPECT_TRUE(SessionMayEnd());
    PumpFor(1800);
    EXPECT_EQ(CapturedBitmap, before) << "a capture was taken after it was put down";
    EXPECT_FALSE(CaptureArmed);
    EXPECT_TRUE(Shown());
}

TEST_F(Capturing, SettingsThatCannotWorkAskForTheirPropertiesAndCancelArmsNothing) {
    WhenSettings = Coded({2, 1, 0, 0, 0});
    Answer key, keyPage;
    AnswerNextBox(key, "OK");
    AnswerNextBox(keyPage, "Cancel");
    ArmCapture();
    EXPECT_EQ(key.Text, "You have not specify a shortcut key.");
    EXPECT_TRUE(keyPage.Shown) << "the Properties dialog comes up on the shortcut page";
    EXPECT_FALSE(CaptureArmed);

    // Ctrl+Alt without a key is as empty.
    WhenSettings = Coded({2, 1, 0, (scCtrl | scAlt) >> 8, 0});
    Answer modifiersOnly, modifiersPage;
    AnswerNextBox(modifiersOnly, "OK");
    AnswerNextBox(modifiersPage, "Cancel");
    ArmCapture();
    EXPECT_EQ(modifiersOnly.Text, "You have not specify a shortcut key.") << "a hot key of modifiers alone";
    EXPECT_TRUE(modifiersPage.Shown);
    EXPECT_FALSE(CaptureArmed);

    WhenSettings = Coded({0, 1, 0, 0, 0});
    ThenSettings = Coded({5, 0, 2, 0, 0, 4, 'a', '*', 'b', '*'});
    Answer name, namePage;
    AnswerNextBox(name, "OK");
    AnswerNextBox(namePage, "Cancel");
    ArmCapture();
    EXPECT_EQ(name.Text, "A filename cannot contain more than one *.");
    EXPECT_TRUE(namePage.Shown);
    EXPECT_FALSE(CaptureArmed);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(std::string(ThenSettings.Chars, ThenSettings.Length), std::string("\x05\x00\x02\x00\x00\x04" "a*b*", 10));
}

TEST_F(Capturing, AKeyChosenInThePropertiesIsArmed) {
    WhenSettings = Coded({2, 1, 0, 0, 0});
    ThenSettings = Coded({3, 0, 2, 0, 0, 1, 'S'});
    Answer told;
    AnswerNextBox(told, "OK");
    // The Properties dialog: Ctrl+Alt+F11 pressed in its shortcut field.
    Later(&timers, [] {
        PumpUntil([] {
            char caption[64] = {};
            GetWindowTextA(GetActiveWindow(), caption, sizeof caption);
            return std::string(caption) == "Properties";
        });
        ToFront();
        for (WORD k : {VK_CONTROL, VK_MENU, VK_F11}) Key(k, false);
        for (WORD k : {VK_F11, VK_MENU, VK_CONTROL}) Key(k, true);
        PumpFor(200);
        Press(VK_RETURN);
    }, 600);
    ArmCapture();
    EXPECT_EQ(told.Text, "You have not specify a shortcut key.");
    ASSERT_TRUE(CaptureArmed) << "armed with the key chosen";
    EXPECT_EQ(std::string(WhenSettings.Chars, WhenSettings.Length),
              std::string("\x02\x01\x00", 3) + static_cast<char>((scCtrl | scAlt) >> 8) + static_cast<char>(VK_F11));
    PostMessageA(frmMain->Handle(), WM_HOTKEY, 0, 0);
    EXPECT_TRUE(Captured());
}

TEST_F(Capturing, ACaptureGoesIntoTheActiveScreenAsASelectionOrToANumberedFile) {
    OpenScreenFile(MakePicture("target.bmp", 50, 40));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    WhatSettings = Coded({2, 0, 10, 0, 29, 0, 20, 0, 39, 0, 0, 0});  // (10, 20)-(29, 39)
    ThenSettings = Coded({2, 0, 2, 0, 0, 0});
    ArmCapture();
    ASSERT_TRUE(Captured());
    ASSERT_NE(screen->SelImage, nullptr);
    EXPECT_EQ(screen->SelImage->Width(), 20) << "the area's edges are included";
    EXPECT_EQ(screen->SelImage->Height(), 20);
    EXPECT_TRUE(screen->SelLifted);
    EXPECT_EQ(screen->Undo->UndoCount, 1);
    EXPECT_EQ(screen->Tag & 1, 1);

    AutoSaveLocation = TempFolder() + "\\autosave";
    CreateDirectoryA(AutoSaveLocation.c_str(), nullptr);
    DeleteFileA((AutoSaveLocation + "\\Cap001.bmp").c_str());
    ThenSettings = Coded({5, 0, 3, 0, 0, 3, 'C', 'a', 'p'});
    ArmCapture();
    ASSERT_TRUE(Captured());
    std::unique_ptr<TGraphic> saved(ZvLoadPicture((AutoSaveLocation + "\\Cap001.bmp").c_str()));
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Width(), 20);
}

// How many pixels of a picture are not of the colour C.
int PixelsOtherThan(TBitmap& Picture, COLORREF C) {
    int other = 0;
    for (int y = 0; y < Picture.Height(); ++y) {
        const std::uint8_t* row = Picture.ScanLine(y);
        for (int x = 0; x < Picture.Width(); ++x)
            other += RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]) != C;
    }
    return other;
}

// Another program's window under the mouse pointer, which that program
// gives its own cursor (the text cursor of its edit); closed at the end.
struct OtherProgram {
    PROCESS_INFORMATION Process = {};
    HWND Window = nullptr;
    OtherProgram() {
        STARTUPINFOA si = {sizeof si};
        char command[] = "notepad.exe";
        if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &Process)) return;
        WaitForInputIdle(Process.hProcess, 10000);
        PumpUntil([this] {
            EnumWindows(&Mine, reinterpret_cast<LPARAM>(this));
            return Window != nullptr;
        }, 10000);
    }
    ~OtherProgram() {
        if (!Process.hProcess) return;
        TerminateProcess(Process.hProcess, 0);
        WaitForSingleObject(Process.hProcess, 5000);
        CloseHandle(Process.hThread);
        CloseHandle(Process.hProcess);
    }
    static BOOL CALLBACK Mine(HWND Wnd, LPARAM Self) {
        auto* self = reinterpret_cast<OtherProgram*>(Self);
        DWORD process = 0;
        GetWindowThreadProcessId(Wnd, &process);
        if (process != self->Process.dwProcessId || !IsWindowVisible(Wnd)) return TRUE;
        self->Window = Wnd;
        return FALSE;
    }
};

TEST_F(Capturing, TheCursorIsDrawnOnItsBackgroundOrTheCaptureIsReportedAsFailed) {
    const COLORREF background = RGB(0x10, 0x20, 0x30);
    WhatSettings = Coded({3, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x20, 0x30});
    // The program's own window under the pointer: its cursor is drawn.
    RECT own;
    GetWindowRect(frmMain->ClientHandle(), &own);
    MoveAlong(CentreOf(own), POINT{CentreOf(own).x + 8, CentreOf(own).y + 8});
    ArmCapture();
    ASSERT_TRUE(Captured());
    ASSERT_NE(CapturedBitmap, nullptr) << "the program's own cursor";
    EXPECT_EQ(CapturedBitmap->Width(), 32);
    EXPECT_GT(PixelsOtherThan(*CapturedBitmap, background), 0) << "the cursor is drawn on the background";

    // Another program's window: its cursor is drawn where this process can
    // read its image, and where it cannot (Wine keeps it in the other
    // process) the capture fails; the background alone is no capture.
    OtherProgram other;
    ASSERT_NE(other.Window, nullptr) << "the other program's window did not come";
    SetForegroundWindow(other.Window);
    const POINT inOther = CentreOf(other.Window);
    MoveAlong(inOther, POINT{inOther.x + 8, inOther.y + 8});
    PumpFor(300);
    Answer told;
    AnswerNextBox(told, "OK");
    ArmCapture();
    ASSERT_TRUE(Captured());
    PumpUntil([&] { return told.Shown || CapturedBitmap; }, 9000);
    if (CapturedBitmap)
        EXPECT_GT(PixelsOtherThan(*CapturedBitmap, background), 0) << "a picture of the background alone came";
    else
        EXPECT_EQ(told.Text, "Unable to capture screen.");
}

TEST_F(Capturing, F10CapturesAndShowsThePreviewOverTheProgram) {
    ThenSettings = Coded({0, 0, 2, 0, 0, 0});  // show captured screen
    std::string caption;
    bool mainShown = false;
    // The preview comes up over the shown program; Escape closes it.
    Later(&timers, [&] {
        char text[128] = {};
        GetWindowTextA(GetActiveWindow(), text, sizeof text);
        caption = text;
        mainShown = Shown();
        Press(VK_ESCAPE);
    }, 1500);
    frmMain->SetFocus();
    Press(VK_F10);
    EXPECT_TRUE(PumpUntil([&] { return !caption.empty(); }, 5000)) << "no preview after F10";
    EXPECT_EQ(caption, "Previous Screen");
    EXPECT_TRUE(mainShown);
    EXPECT_FALSE(CaptureArmed);
}

}  // namespace
