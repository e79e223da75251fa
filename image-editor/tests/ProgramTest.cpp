// The whole program, started as a user starts it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Registry.h"
#include "TestSupport.h"
#include "Zelvani.h"

namespace {

const char* const kTitle = "Zelvani Mirolux";

// How long the program may take to show a window or to end: on a machine
// busy with other work a start takes many seconds. Only a fault waits this
// long.
const int kPatience = 60000;

// Mirolux.exe beside this test program.
std::string ProgramPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1) + "Mirolux.exe";
}

struct Process {
    PROCESS_INFORMATION Info = {};
    bool Start(const std::string& Arguments = "") {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string cmd = "\"" + ProgramPath() + "\" " + Arguments;
        return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &Info);
    }
    // The exit code, or -1 when it did not end within Ms.
    long WaitForExit(DWORD Ms) {
        if (WaitForSingleObject(Info.hProcess, Ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return static_cast<long>(code);
    }
    ~Process() {
        if (Info.hProcess) {
            if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(Info.hProcess, 1);
            CloseHandle(Info.hThread);
            CloseHandle(Info.hProcess);
        }
    }
};

// A visible top-level window of the process with that title (any title for
// nullptr): its main window, the frame with the screens, or (Frame false)
// another, such as a dialog that has the program's title too; nullptr when
// there is none.
HWND WindowOf(DWORD ProcessId, const char* Title, bool Frame = true) {
    struct Search {
        DWORD Pid;
        const char* Title;
        bool Frame;
        HWND Found;
        static BOOL CALLBACK Visit(HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            char t[256] = {};
            GetWindowTextA(w, t, sizeof t);
            const bool frame = FindWindowExA(w, nullptr, "MDIClient", nullptr) != nullptr;
            if (pid == s->Pid && IsWindowVisible(w) && (!s->Title || std::string(t) == s->Title) && frame == s->Frame) {
                s->Found = w;
                return FALSE;
            }
            return TRUE;
        }
    } search{ProcessId, Title, Frame, nullptr};
    EnumWindows(&Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND WaitForWindow(DWORD ProcessId, int Ms, const char* Title = kTitle, bool Frame = true) {
    HWND found = nullptr;
    testsupport::PumpUntil([&] { return (found = WindowOf(ProcessId, Title, Frame)) != nullptr; }, Ms);
    return found;
}

// The first window among the descendants of Parent that Match accepts, or
// nullptr.
HWND FindDescendant(HWND Parent, const std::function<bool(HWND)>& Match) {
    struct Search {
        const std::function<bool(HWND)>& Match;
        HWND Found;
        static BOOL CALLBACK Visit(HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            if (!s->Match(w)) return TRUE;
            s->Found = w;
            return FALSE;
        }
    } search{Match, nullptr};
    EnumChildWindows(Parent, &Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// A child window of Parent showing exactly Text, or nullptr.
HWND ChildWithText(HWND Parent, const std::string& Text) {
    return FindDescendant(Parent, [&](HWND w) {
        char t[256] = {};
        GetWindowTextA(w, t, sizeof t);
        return Text == t;
    });
}

bool OfClass(HWND Wnd, const char* ClassName) {
    char name[64] = {};
    GetClassNameA(Wnd, name, sizeof name);
    return lstrcmpiA(name, ClassName) == 0;
}

// The start-up dialog of the process: a window of its own under the
// program's title, which asks what to do; nullptr when it did not come.
HWND WaitForStartupDialog(DWORD ProcessId) {
    HWND dialog = WaitForWindow(ProcessId, kPatience, kTitle, false);
    return dialog && ChildWithText(dialog, "What do you want to do?") ? dialog : nullptr;
}

// Where the tool bars of the window show, as text: one that is switched on
// or off changes it.
std::string ToolBarLayout(HWND Parent) {
    struct Layout {
        std::string Text;
        static BOOL CALLBACK Visit(HWND w, LPARAM p) {
            char name[64] = {};
            GetClassNameA(w, name, sizeof name);
            RECT r;
            if (std::string(name) == TOOLBARCLASSNAMEA && IsWindowVisible(w) && GetWindowRect(w, &r))
                reinterpret_cast<Layout*>(p)->Text += std::to_string(r.left) + "," + std::to_string(r.top) + " ";
            return TRUE;
        }
    } layout;
    EnumChildWindows(Parent, &Layout::Visit, reinterpret_cast<LPARAM>(&layout));
    return layout.Text;
}

// Clicks of the user's (one unless told) at a point of a window of the
// program, once that window is in front and takes input: a window just shown
// can lose the front to a focus change still on its way, and the click with
// it.
bool ClickIn(HWND Window, POINT At, int Clicks = 1) {
    if (!testsupport::TakesKeys(GetAncestor(Window, GA_ROOT), kPatience)) return false;
    testsupport::MouseClicks(At, Clicks);
    return true;
}

// A click of the user's on the control of a window that shows Caption.
bool ClickControl(HWND Window, const std::string& Caption) {
    HWND control = ChildWithText(Window, Caption);
    return control && ClickIn(control, testsupport::CentreOf(control));
}

const char* const kSettings = "Software\\Zelvani\\Mirolux\\Settings";

// No stored settings, as before a first start.
void ForgetSettings() {
    forms::TRegistry w;
    w.DeleteKey("\\Software\\Zelvani\\Mirolux");
}

// Settings of a first start with the start-up dialog off and no start
// action, for the tests that are about the main window alone.
void StartWithoutStartAction(int Options = 0x4F7F) {
    ForgetSettings();
    forms::TRegistry w;
    ASSERT_TRUE(w.OpenKey(kSettings, true));
    w.WriteInteger("Options", Options);
    w.WriteInteger("StartupAuto", 0);
}

// Waits until the main window takes input again (its dialogs done), then
// closes it: true when the program ends with code 0.
bool CloseOnceFree(Process& P) {
    HWND main = WaitForWindow(P.Info.dwProcessId, kPatience);
    if (!main || !testsupport::PumpUntil([&] { return IsWindowEnabled(main) != FALSE; })) return false;
    PostMessageA(main, WM_CLOSE, 0, 0);
    return P.WaitForExit(kPatience) == 0;
}

TEST(Program, OpensItsMainWindowAndEndsWithCodeZeroWhenClosed) {
    StartWithoutStartAction();
    Process first;
    ASSERT_TRUE(first.Start()) << "could not start " << ProgramPath();
    HWND main = WaitForWindow(first.Info.dwProcessId, kPatience);
    ASSERT_NE(main, nullptr) << "no visible window titled \"" << kTitle << "\"";
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(main) != FALSE; }))
        << "the main window stays disabled";
    EXPECT_NE(FindWindowExA(main, nullptr, "MDIClient", nullptr), nullptr)
        << "the main window is a multiple-document frame";

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(kPatience), 0) << "the program did not end with code 0";
}

// Runs the program once, from its start to a close of its main window; the
// start-up dialog that settings without the choice show is cancelled.
void RunOnce() {
    Process p;
    ASSERT_TRUE(p.Start());
    HWND startup = WaitForStartupDialog(p.Info.dwProcessId);
    ASSERT_NE(startup, nullptr) << "settings without the choice show no start-up dialog";
    ASSERT_TRUE(ClickControl(startup, "Cancel"));
    ASSERT_TRUE(CloseOnceFree(p));
}

// A started program whose main window is up and enabled.
struct Running : Process {
    HWND Main = nullptr;
    bool Up(const std::string& Arguments = "") {
        if (!Start(Arguments)) return false;
        Main = WaitForWindow(Info.dwProcessId, kPatience);
        return Main && testsupport::PumpUntil([&] { return IsWindowEnabled(Main) != FALSE; });
    }
    // Keys go to the window in front: the program's window, once it takes
    // them (under load the program is still making its forms when its
    // window first shows).
    bool InFront() { return testsupport::TakesKeys(Main, kPatience); }
    bool Close() {
        PostMessageA(Main, WM_CLOSE, 0, 0);
        return WaitForExit(kPatience) == 0;
    }
};

// Alt with a letter, as a hand opens a menu: true once the menu shows, for
// a hand types on only when it sees it.
bool AltKey(WORD Letter) {
    testsupport::Key(VK_MENU, false);
    testsupport::Key(Letter, false);
    testsupport::Key(Letter, true);
    testsupport::Key(VK_MENU, true);
    return testsupport::PumpUntil([] { return testsupport::OpenMenu() != nullptr; }, kPatience);
}
void Tap(WORD Vk) {
    testsupport::Key(Vk, false);
    testsupport::Key(Vk, true);
}

void StorePosition(const std::string& Position, int Options) {
    StartWithoutStartAction(Options);
    forms::TRegistry w;
    ASSERT_TRUE(w.OpenKey(kSettings, true));
    w.WriteBinaryData("Position", Position.data(), static_cast<int>(Position.size()));
}

// A normal window at (100, 80), 700 x 500; the main bar's bands in the order
// "2", "0", "1" on two rows, the drawing bar's as a first start has them.
const std::string kLayout("\x00\x01\x00\x00\x50\x07\x00\x05\x00"
                          "\x01\x01\x04\x2C\x02\x00\x00\x60\x00\x01\x05\x2A"
                          "\x00\x01\x01\x4C\x01\x00\x01\x2F\x02\x00\x01\x23",
                          33);

TEST(Program, TheStoredLayoutIsRestoredAndAnUnchangedRunWritesItBackAsItWas) {
    StorePosition(kLayout, 0x4F7F);
    {
        Running p;
        ASSERT_TRUE(p.Up());
        RECT r;
        GetWindowRect(p.Main, &r);
        EXPECT_EQ(r.left, 100);
        EXPECT_EQ(r.top, 80);
        EXPECT_EQ(r.right - r.left, 700);
        EXPECT_EQ(r.bottom - r.top, 500);
        ASSERT_TRUE(p.Close());
    }
    EXPECT_EQ(testsupport::StoredBytes(kSettings, "Position"), kLayout);

    // Minimised at the end: only the state is written, the bounds stay.
    {
        Running p;
        ASSERT_TRUE(p.Up());
        ShowWindow(p.Main, SW_MINIMIZE);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return IsIconic(p.Main) != FALSE; }));
        ASSERT_TRUE(p.Close());
    }
    EXPECT_EQ(testsupport::StoredBytes(kSettings, "Position"), "\x02" + kLayout.substr(1));
}

TEST(Program, StatusHintsShowInTheStatusBarOverlay) {
    StorePosition(kLayout, 0x4F7F);
    Running p;
    ASSERT_TRUE(p.Up());
    ASSERT_TRUE(p.InFront());
    const std::string hint = "Creates a new screen.";
    ASSERT_TRUE(AltKey('F')) << "Alt+F opened no menu";  // the File menu opens on "New..."
    HWND overlay = nullptr;
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        overlay = ChildWithText(p.Main, hint);
        return overlay && IsWindowVisible(overlay);
    })) << "the status hint of New does not show";
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    if (overlay) {
        EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(overlay); }));
    }
    ASSERT_TRUE(p.Close());
}

TEST(Program, TheViewMenuTogglesABarAndASwitchedOnBandGoesLast) {
    StorePosition(kLayout, 0x4F7F);
    for (int run = 0; run < 2; ++run) {
        Running p;
        ASSERT_TRUE(p.Up());
        ASSERT_TRUE(p.InFront());
        const std::string bars = ToolBarLayout(p.Main);
        ASSERT_TRUE(AltKey('V')) << "Alt+V opened no menu, run " << run;
        Tap('T');          // Toolbars
        Tap(VK_RETURN);    // Standard, the first of them
        ASSERT_TRUE(testsupport::PumpUntil([&] { return ToolBarLayout(p.Main) != bars; })) << "run " << run;
        ASSERT_TRUE(p.Close());
        forms::TRegistry reg;
        ASSERT_TRUE(reg.OpenKeyReadOnly(kSettings));
        EXPECT_EQ(reg.ReadInteger("Options") & 0x1, run == 0 ? 0 : 1) << "run " << run;
    }
    // Band "0" was switched on again: it went to the end, on a row of its own.
    const std::string position = testsupport::StoredBytes(kSettings, "Position");
    ASSERT_EQ(position.size(), 33u);
    EXPECT_EQ(position[9], 2);
    EXPECT_EQ(position[10], 1);
}

TEST(Program, TheEndOfTheSessionStoresTheSettingsOnceAndTheProgramStillEndsWell) {
    StorePosition(kLayout, 0x4F7F);
    Running p;
    ASSERT_TRUE(p.Up());
    ASSERT_TRUE(p.InFront());
    const std::string bars = ToolBarLayout(p.Main);
    ASSERT_TRUE(AltKey('V')) << "Alt+V opened no menu";
    Tap('T');        // Toolbars
    Tap(VK_RETURN);  // Standard: switched off
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ToolBarLayout(p.Main) != bars; })) << "the bar did not go";
    ForgetSettings();
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(p.Main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "nothing to save: the session may end";
    ASSERT_TRUE(SendMessageTimeoutA(p.Main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer));
    forms::TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kSettings)) << "no settings stored at the end of the session";
    EXPECT_EQ(reg.ReadInteger("Options") & 0x1, 0) << "the bar switched off in the run";
    EXPECT_EQ(testsupport::StoredBytes(kSettings, "Position").size(), 33u);
    reg.CloseKey();

    // The window still goes as usual, and does not store them twice.
    ForgetSettings();
    ASSERT_TRUE(p.Close()) << "the program did not end with code 0";
    EXPECT_FALSE(reg.KeyExists(kSettings)) << "the settings were stored a second time";
}

// The captions of the screens in the main window, in their order.
std::vector<std::string> ScreenCaptions(HWND Main) {
    std::vector<std::string> captions;
    HWND client = FindWindowExA(Main, nullptr, "MDIClient", nullptr);
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(w, text, sizeof text);
        if (IsWindowVisible(w) && !GetWindow(w, GW_OWNER)) captions.push_back(text);
    }
    return captions;
}

TEST(Program, OpensThePicturesNamedOnItsCommandLineAndPassesOverOtherFiles) {
    StorePosition(kLayout, 0x4F7F);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = temp;
    forms::TBitmap picture;
    picture.SetSize(30, 20);
    ASSERT_TRUE(ZvSavePicture((folder + "shot.bmp").c_str(), &picture));
    ASSERT_TRUE(ZvSavePicture((folder + "PHOTO.JPG").c_str(), &picture));
    { std::ofstream(folder + "notes.txt") << "text"; }
    Running p;
    ASSERT_TRUE(p.Up("\"" + folder + "shot.bmp\" \"" + folder + "notes.txt\" \"" + folder + "PHOTO.JPG\""));
    // The last opened is the active one, on top.
    const std::vector<std::string> expected = {"PHOTO", "shot"};
    std::vector<std::string> captions;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return (captions = ScreenCaptions(p.Main)) == expected; }))
        << captions.size() << " screens, the first \"" << (captions.empty() ? "" : captions[0]) << "\"";
    ASSERT_TRUE(p.Close());
}

TEST(Program, AFirstRunLeavesEverySettingAtItsDefaultAndDamageIsRepaired) {
    ForgetSettings();
    RunOnce();
    forms::TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Zelvani\\Mirolux\\Settings"));
    EXPECT_EQ(reg.ReadInteger("Options"), 0x4FFF);
    EXPECT_EQ(reg.ReadInteger("StartupAuto"), 1);
    EXPECT_EQ(testsupport::StoredBytes("Software\\Zelvani\\Mirolux\\Settings", "Drawings"),
              std::string("\x00\x00\x00\x00\x00\xFF\xFF\xFF\x00\x00\x00\x00\x00", 13));
    EXPECT_EQ(testsupport::StoredBytes("Software\\Zelvani\\Mirolux\\Capture", "When"), std::string("\x05\x00\x03\x00\x00\x00", 6));
    reg.CloseKey();

    // A damaged store: the program runs and ends as before, and stores the
    // repaired values.
    {
        forms::TRegistry w;
        ASSERT_TRUE(w.OpenKey("Software\\Zelvani\\Mirolux\\Settings", true));
        w.WriteInteger("Zoom", 3);
        w.WriteString("Options", "all of them");
        w.CloseKey();
        ASSERT_TRUE(w.OpenKey("Software\\Zelvani\\Mirolux\\Capture", true));
        w.WriteBinaryData("When", "\x09\x01", 2);
    }
    RunOnce();
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Zelvani\\Mirolux\\Settings"));
    EXPECT_EQ(reg.ReadInteger("Options"), 0x4FFF);
    EXPECT_EQ(reg.ReadInteger("Zoom"), 2) << "the whole group went back to its defaults";
    EXPECT_EQ(testsupport::StoredBytes("Software\\Zelvani\\Mirolux\\Capture", "When"), std::string("\x05\x00\x03\x00\x00\x00", 6));
}

// The check mark of a radio button or check box of another process's window.
bool IsChecked(HWND Window, const std::string& Caption) {
    HWND control = ChildWithText(Window, Caption);
    return control && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int StoredInteger(const char* Name) {
    forms::TRegistry reg;
    if (!reg.OpenKeyReadOnly(kSettings) || !reg.ValueExists(Name)) return -1;
    return reg.ReadInteger(Name);
}

TEST(Program, AFirstStartAsksWhatToDoAndCancelStartsNothingAndStoresNothing) {
    ForgetSettings();
    Process p;
    ASSERT_TRUE(p.Start());
    HWND main = WaitForWindow(p.Info.dwProcessId, kPatience);
    ASSERT_NE(main, nullptr);
    HWND startup = WaitForStartupDialog(p.Info.dwProcessId);
    ASSERT_NE(startup, nullptr) << "a first start does not ask what to do";
    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes input while the dialog asks";
    EXPECT_TRUE(IsChecked(startup, "&Create a new blank screen")) << "the stored choice 0 is not checked";
    HWND themes = ChildWithText(startup, "Display capture &themes");
    ASSERT_NE(themes, nullptr);
    EXPECT_FALSE(IsWindowEnabled(themes)) << "the capture themes can be chosen";
    ASSERT_TRUE(ClickControl(startup, "Cancel"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(main) != FALSE; }));
    testsupport::PumpFor(500);
    EXPECT_EQ(ScreenCaptions(main), std::vector<std::string>{}) << "Cancel started something";
    EXPECT_EQ(WindowOf(p.Info.dwProcessId, nullptr, false), nullptr) << "Cancel opened a window";
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(p.WaitForExit(kPatience), 0);
    EXPECT_EQ(StoredInteger("Options"), 0x4FFF) << "the dialog stays on after Cancel";
    EXPECT_EQ(StoredInteger("Startup"), 0);
}

TEST(Program, TheChoiceIsCarriedOutAndStoredAndDontShowTurnsTheDialogOff) {
    ForgetSettings();
    {
        Process p;
        ASSERT_TRUE(p.Start());
        HWND startup = WaitForStartupDialog(p.Info.dwProcessId);
        ASSERT_NE(startup, nullptr);
        ASSERT_TRUE(ClickControl(startup, "&Open an existing screen"));
        ASSERT_TRUE(ClickControl(startup, "&Don't show this dialog box again"));
        ASSERT_TRUE(ClickControl(startup, "OK"));
        HWND open = WaitForWindow(p.Info.dwProcessId, kPatience, "Open Files", false);
        ASSERT_NE(open, nullptr) << "OK on Open showed no Open dialog";
        ASSERT_TRUE(ClickControl(open, "Cancel"));
        ASSERT_TRUE(CloseOnceFree(p));
    }
    EXPECT_EQ(StoredInteger("Options"), 0x4FFF & ~0x80) << "\"Don't show\" left the dialog on";
    EXPECT_EQ(StoredInteger("Startup"), 1);

    // The next start asks nothing and takes the stored action: Screen Capture.
    forms::TRegistry w;
    ASSERT_TRUE(w.OpenKey(kSettings, false));
    w.WriteInteger("StartupAuto", 4);
    w.CloseKey();
    Process p;
    ASSERT_TRUE(p.Start());
    HWND capture = WaitForWindow(p.Info.dwProcessId, kPatience, "Screen Capture", false);
    ASSERT_NE(capture, nullptr) << "the stored action 4 showed no Screen Capture dialog";
    EXPECT_EQ(WindowOf(p.Info.dwProcessId, kTitle, false), nullptr) << "the start-up dialog showed as well";
    ASSERT_TRUE(ClickControl(capture, "Cancel"));
    ASSERT_TRUE(CloseOnceFree(p));
}

TEST(Program, AStoredCaptureThemesChoiceShowsCheckedAndADoubleClickOnAPictureIsOK) {
    StartWithoutStartAction(0x4FFF);
    {
        forms::TRegistry w;
        ASSERT_TRUE(w.OpenKey(kSettings, false));
        w.WriteInteger("Startup", 2);
    }
    Process p;
    ASSERT_TRUE(p.Start());
    HWND startup = WaitForStartupDialog(p.Info.dwProcessId);
    ASSERT_NE(startup, nullptr);
    EXPECT_TRUE(IsChecked(startup, "Display capture &themes")) << "the stored choice 2 is not checked";
    // A double click on Open's picture, left of its button, checks Open and
    // ends the dialog as OK does.
    HWND open = ChildWithText(startup, "&Open an existing screen");
    ASSERT_NE(open, nullptr);
    RECT button;
    GetWindowRect(open, &button);
    ASSERT_TRUE(ClickIn(startup, POINT{button.left - 24, (button.top + button.bottom) / 2}, 2));
    HWND files = WaitForWindow(p.Info.dwProcessId, kPatience, "Open Files", false);
    ASSERT_NE(files, nullptr) << "a double click on Open's picture did not carry it out";
    ASSERT_TRUE(ClickControl(files, "Cancel"));
    ASSERT_TRUE(CloseOnceFree(p));
    EXPECT_EQ(StoredInteger("Startup"), 1);
    EXPECT_EQ(StoredInteger("Options"), 0x4FFF) << "the dialog was turned off without \"Don't show\"";
}

TEST(Program, AFirstStartCreatesTheNewBlankScreenChosenAndAStoredNewOneNeedsNoQuestion) {
    ForgetSettings();
    {
        Process p;
        ASSERT_TRUE(p.Start());
        HWND startup = WaitForStartupDialog(p.Info.dwProcessId);
        ASSERT_NE(startup, nullptr);
        ASSERT_TRUE(ClickControl(startup, "OK"));  // "Create a new blank screen" is the first start's choice
        HWND dialog = WaitForWindow(p.Info.dwProcessId, kPatience, "New Screen", false);
        ASSERT_NE(dialog, nullptr) << "OK on New showed no New Screen dialog";
        ASSERT_TRUE(ClickControl(dialog, "OK"));
        HWND main = WaitForWindow(p.Info.dwProcessId, kPatience);
        ASSERT_NE(main, nullptr);
        const std::vector<std::string> expected = {"Screen 1"};
        std::vector<std::string> captions;
        EXPECT_TRUE(testsupport::PumpUntil([&] { return (captions = ScreenCaptions(main)) == expected; }))
            << captions.size() << " screens, the first \"" << (captions.empty() ? "" : captions[0]) << "\"";
        ASSERT_TRUE(CloseOnceFree(p));
    }

    // The start action New stored, without the start-up dialog and without
    // the New Screen dialog: the screen comes at once.
    StartWithoutStartAction(0x4FFF & ~0x80 & ~0x100);
    {
        forms::TRegistry w;
        ASSERT_TRUE(w.OpenKey(kSettings, false));
        w.WriteInteger("StartupAuto", 1);
    }
    Process p;
    ASSERT_TRUE(p.Start());
    HWND main = WaitForWindow(p.Info.dwProcessId, kPatience);
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> expected = {"Screen 1"};
    std::vector<std::string> captions;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return (captions = ScreenCaptions(main)) == expected; }))
        << "the stored start action New: " << captions.size() << " screens";
    EXPECT_EQ(WindowOf(p.Info.dwProcessId, nullptr, false), nullptr) << "a dialog showed";
    ASSERT_TRUE(CloseOnceFree(p));
}

// The first window of the class among the descendants of Parent, or nullptr.
HWND ChildOfClass(HWND Parent, const char* ClassName) {
    return FindDescendant(Parent, [&](HWND w) { return OfClass(w, ClassName); });
}

// The first edit among the descendants of Parent that holds Text, or
// nullptr. An edit keeps its text itself: it is asked for it.
HWND EditWithText(HWND Parent, const std::string& Text) {
    return FindDescendant(Parent, [&](HWND w) {
        char text[256] = {};
        DWORD_PTR got = 0;
        return OfClass(w, "Edit") &&
               SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                                   &got) &&
               Text == text;
    });
}

// Clicks the tab of an Options page, Index 0 to 2, counted from the left,
// once the dialog takes input again; true when that page shows then.
bool ShowOptionsPage(HWND Options, int Index, const std::string& Page) {
    if (!testsupport::PumpUntil(
            [&] { return IsWindowEnabled(Options) && GetForegroundWindow() == Options; }, 5000))
        return false;
    RECT tabs;
    GetWindowRect(ChildOfClass(Options, "SysTabControl32"), &tabs);
    // The middles of "View", "General" and "Default" in the tab strip.
    static const int kMiddles[] = {20, 64, 114};
    if (!ClickIn(Options, POINT{tabs.left + kMiddles[Index], tabs.top + 10})) return false;
    HWND sheet = ChildWithText(Options, Page);
    return testsupport::PumpUntil([&] { return sheet && IsWindowVisible(sheet); }, 3000);
}

// Replaces the text of an edit of another process as a user does: a click
// in it, the old text selected with the keys and typed over.
void TypeOver(HWND Edit, const std::string& Text) {
    ASSERT_TRUE(ClickIn(Edit, testsupport::CentreOf(Edit))) << "the edit's window does not take the input";
    testsupport::PressWith(0, VK_HOME);
    testsupport::PressWith(VK_SHIFT, VK_END);
    testsupport::Type(Text);
    testsupport::PumpFor(200);
}

// View > Options... of a running program: its dialog once it shows.
HWND OpenOptions(Running& P) {
    if (!P.InFront()) {
        ADD_FAILURE() << "the main window does not take the keys";
        return nullptr;
    }
    if (!AltKey('V')) {
        ADD_FAILURE() << "Alt+V opened no menu";
        return nullptr;
    }
    Tap('O');
    return WaitForWindow(P.Info.dwProcessId, kPatience, "Options", false);
}

TEST(Program, TheOptionsChosenAreFollowedAfterARestart) {
    StartWithoutStartAction(0x4FFF & ~0x80);  // no start-up dialog, the New dialog on
    {
        forms::TRegistry w;
        ASSERT_TRUE(w.OpenKey(kSettings, false));
        w.WriteString("FileLocation", "C:\\windows");
    }
    {
        forms::TRegistry w;
        ASSERT_TRUE(w.OpenKey("Software\\Zelvani\\Common", true));
        w.WriteInteger("Screentips", 0);
    }
    {
        Running p;
        ASSERT_TRUE(p.Up());
        HWND options = OpenOptions(p);
        ASSERT_NE(options, nullptr) << "View > Options... showed no Options dialog";
        // The start action: the list's second line, "create a new blank screen".
        HWND list = ChildOfClass(options, "ListBox");
        RECT r;
        GetWindowRect(list, &r);
        ASSERT_TRUE(ClickIn(options, POINT{r.left + 40, r.top + 2 + 16 + 8}));
        ASSERT_TRUE(testsupport::PumpUntil([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == 1; }, 3000))
            << "the click chose no start action";
        ASSERT_TRUE(ClickControl(options, "N&one"));

        ASSERT_TRUE(ShowOptionsPage(options, 1, "General")) << "the General page did not come";
        ASSERT_TRUE(ClickControl(options, "&Browse..."));
        HWND browse = WaitForWindow(p.Info.dwProcessId, kPatience, "Browse", false);
        ASSERT_NE(browse, nullptr) << "the browse button showed no folder browser";
        ASSERT_TRUE(testsupport::TakesKeys(browse)) << "the folder browser does not take the keys";
        Tap(VK_LEFT);  // C:\windows closes,
        Tap(VK_LEFT);  // then its drive is chosen
        testsupport::PumpFor(300);
        Tap(VK_RETURN);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(browse) || !IsWindow(browse); }, 5000));
        EXPECT_TRUE(testsupport::PumpUntil([&] { return EditWithText(options, "C:\\") != nullptr; }, 3000))
            << "the chosen drive is not in the folder's edit";

        ASSERT_TRUE(ShowOptionsPage(options, 2, "Default"))
            << "the Default page did not come"
            << (WindowOf(p.Info.dwProcessId, "Browse", false) ? ": the folder browser came again" : "");
        HWND width = EditWithText(options, "500"), height = EditWithText(options, "300");
        ASSERT_TRUE(width && height) << "the default screen's size is not 500 x 300";
        TypeOver(width, "320");
        TypeOver(height, "240");
        ASSERT_TRUE(ClickControl(options, "OK"));
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(options); }, 5000)) << "OK left it open";
        ASSERT_TRUE(p.Close());
    }
    EXPECT_EQ(StoredInteger("StartupAuto"), 1);

    // The next start creates a new screen of the chosen size, and the
    // dialog shows the chosen folder and screen tips.
    Running p;
    ASSERT_TRUE(p.Start());
    HWND newScreen = WaitForWindow(p.Info.dwProcessId, kPatience, "New Screen", false);
    ASSERT_NE(newScreen, nullptr) << "the start action showed no New Screen dialog";
    EXPECT_NE(EditWithText(newScreen, "320"), nullptr) << "the new screen's width is not the default one";
    EXPECT_NE(EditWithText(newScreen, "240"), nullptr) << "the new screen's height is not the default one";
    ASSERT_TRUE(ClickControl(newScreen, "OK"));
    p.Main = WaitForWindow(p.Info.dwProcessId, kPatience);
    ASSERT_NE(p.Main, nullptr);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ScreenCaptions(p.Main) == std::vector<std::string>{"Screen 1"}; }))
        << "no new screen at the start";
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(p.Main) != FALSE; }));
    HWND options = OpenOptions(p);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(IsChecked(options, "N&one")) << "the screen tips chosen are not shown";
    EXPECT_NE(EditWithText(options, "C:\\"), nullptr) << "the folder chosen is not shown";
    ASSERT_TRUE(ClickControl(options, "Cancel"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(options); }, 5000));
    ASSERT_TRUE(p.Close());
}

// The width and height stored in a bitmap file's header, or 0 x 0.
SIZE BitmapFileSize(const std::string& File) {
    std::ifstream in(File, std::ios::binary);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    if (!in.read(reinterpret_cast<char*>(&file), sizeof file) || !in.read(reinterpret_cast<char*>(&info), sizeof info))
        return SIZE{0, 0};
    return SIZE{info.biWidth, info.biHeight < 0 ? -info.biHeight : info.biHeight};
}

TEST(Program, ANumberTypedIntoTheResizeDialogReplacesTheWidthShown) {
    StartWithoutStartAction();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "resized.bmp";
    forms::TBitmap picture;
    picture.SetSize(301, 203);
    ASSERT_TRUE(ZvSavePicture(file.c_str(), &picture));
    Running p;
    ASSERT_TRUE(p.Up("\"" + file + "\""));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ScreenCaptions(p.Main) == std::vector<std::string>{"resized"}; }));
    ASSERT_TRUE(p.InFront());
    testsupport::Chord({VK_CONTROL}, 'W');
    HWND resize = WaitForWindow(p.Info.dwProcessId, 10000, "Resize Screen", false);
    ASSERT_NE(resize, nullptr) << "Ctrl+W showed no Resize Screen dialog";
    ASSERT_TRUE(testsupport::TakesKeys(resize)) << "the Resize Screen dialog does not take the keys";
    testsupport::Type("150");
    Tap(VK_RETURN);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(resize); }, 5000)) << "Enter left it open";
    ASSERT_TRUE(p.InFront());
    testsupport::Chord({VK_CONTROL}, 'S');
    SIZE saved = {};
    // A file still being written reads 0 x 0.
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            saved = BitmapFileSize(file);
            return saved.cx != 301 && saved.cx != 0;
        },
        5000))
        << "the picture was not saved";
    EXPECT_EQ(saved.cx, 150) << "the typed width did not replace the one shown";
    EXPECT_EQ(saved.cy, 101) << "the height keeps the proportions";
    ASSERT_TRUE(p.Close());
}

TEST(Program, SecondStartBringsTheFirstBackAndEndsSilently) {
    StartWithoutStartAction();
    Process first;
    ASSERT_TRUE(first.Start());
    HWND main = WaitForWindow(first.Info.dwProcessId, kPatience);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsIconic(main) != FALSE; }));

    Process second;
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.WaitForExit(kPatience), 0) << "the second instance did not end with code 0";
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsIconic(main); })) << "the first was not restored";
    EXPECT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == main; }))
        << "the first did not come to the front";

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(kPatience), 0);
}

}  // namespace
