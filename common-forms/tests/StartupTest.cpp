// The library's start-up checks: first their decisions alone, then ZvComInit
// itself with real windows and the test prefix's registry.
#include <gtest/gtest.h>

#include <string>

#include "Registry.h"
#include "StartupChecks.h"
#include "TestSupport.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace testsupport;

namespace {

TEST(StartupChecks, ColourClassNames) {
    EXPECT_EQ(zvcom::ColorClassName(2), "16");
    EXPECT_EQ(zvcom::ColorClassName(3), "256");
    EXPECT_EQ(zvcom::ColorClassName(4), "Hi");
    EXPECT_EQ(zvcom::ColorClassName(5), "True");
    EXPECT_EQ(zvcom::ColorClassName(1), "");
    EXPECT_EQ(zvcom::ColorClassName(6), "");
}

TEST(StartupChecks, MemoryBeyondFourGigabytesDoesNotWrap) {
    EXPECT_EQ(zvcom::Megabytes(12ull << 20), 12);
    EXPECT_EQ(zvcom::Megabytes((12ull << 20) - 1), 11);
    EXPECT_EQ(zvcom::Megabytes(5ull << 30), 5120);
    EXPECT_EQ(zvcom::Megabytes(64ull << 30), 65536);
}

TEST(StartupChecks, ComponentVersionFromTheFifthCharacter) {
    EXPECT_TRUE(zvcom::CheckComponents("25.1262215", "Prog").Passed);
    EXPECT_TRUE(zvcom::CheckComponents("25.1393216", "Prog").Passed);
    const auto nt = zvcom::CheckComponents("25.1262214", "Prog");
    EXPECT_FALSE(nt.Passed);
    EXPECT_EQ(nt.Message, "Prog requires Internet Explorer 4.0 or Service Pack 4 or higher to run.");
    const auto w9x = zvcom::CheckComponents("14.1262214", "Prog");
    EXPECT_EQ(w9x.Message, "Prog requires Internet Explorer 4.0 or higher to run.");
    const auto other = zvcom::CheckComponents("34.1100", "Prog");
    EXPECT_FALSE(other.Passed);
    EXPECT_EQ(other.Message, "") << "another platform fails silently";
}

TEST(StartupChecks, UnreadableVersionNumberFailsTheCheck) {
    for (const char* answer : {"25.1", "25.1abc", "25.1 262215", "25.1-262215", "2", ""}) {
        const auto v = zvcom::CheckComponents(answer, "Prog");
        EXPECT_FALSE(v.Passed) << "'" << answer << "'";
    }
    EXPECT_EQ(zvcom::CheckComponents("25.1x", "Prog").Message,
              "Prog requires Internet Explorer 4.0 or Service Pack 4 or higher to run.");
}

TEST(StartupChecks, DisplaySuggestion) {
    EXPECT_TRUE(zvcom::DisplayGoodEnough(4, 800, 600, 4, 2)) << "exactly the suggestion";
    EXPECT_FALSE(zvcom::DisplayGoodEnough(3, 800, 600, 4, 2));
    EXPECT_FALSE(zvcom::DisplayGoodEnough(4, 799, 600, 4, 2));
    EXPECT_FALSE(zvcom::DisplayGoodEnough(4, 800, 599, 4, 2));
    EXPECT_TRUE(zvcom::DisplayGoodEnough(4, 320, 200, 4, 0)) << "no size suggested";
    EXPECT_FALSE(zvcom::DisplayGoodEnough(3, 4000, 3000, 4, 0));
}

// ---- ZvComInit ---------------------------------------------------------

const char* const kTitle = "ZvCom Startup Probe";
const char* const kTag = "ZvProbe";

std::string FlagName() {
    ShortString name;
    ZvConvertStr(ShortString(kTag), ShortString(), name);
    return name.str();
}

class ComInit : public ::testing::Test {
protected:
    void SetUp() override {
        forms::TRegistry reg;
        if (reg.OpenKey("Software\\Zelvani\\Common\\Init", false)) reg.DeleteValue(FlagName());
        info.AppHandle = nullptr;
        info.Title = ShortString(kTitle);
        info.Tag = ShortString(kTag);
        info.DocumentNoun = ShortString("probes");
        info.MinColors = 3;
        info.SuggestColors = 4;
        info.SuggestResolution = 2;
        info.MinMemoryMB = 12;
        info.SingleInstance = false;
        info.SuggestDisplay = true;
    }
    void TearDown() override { ZvComDone(); }

    static bool FlagStored(int& Value) {
        forms::TRegistry reg;
        if (!reg.OpenKeyReadOnly("Software\\Zelvani\\Common\\Init") || !reg.ValueExists(FlagName())) return false;
        Value = reg.ReadInteger(FlagName());
        return true;
    }

    // Runs ZvComInit; Answer gets the window that is active once a modal
    // loop runs (nullptr when none came) and answers it.
    bool Run(const std::function<void(HWND)>& Answer = nullptr) {
        forms::TComponent owner(nullptr);
        bool answered = false;
        Later(&owner, [&] {
            answered = true;
            HWND active = GetActiveWindow();
            char caption[256] = {};
            if (active) GetWindowTextA(active, caption, sizeof caption);
            if (std::string(caption) != kTitle) active = nullptr;
            shown = active != nullptr;
            if (active) texts = TextsOf(active);
            if (Answer) Answer(active);
        });
        const bool result = ZvComInit(info);
        PumpUntil([&] { return answered; }, 2000);
        return result;
    }

    static std::string TextsOf(HWND Wnd) {
        std::string all;
        for (HWND c = GetWindow(Wnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char t[512];
            GetWindowTextA(c, t, sizeof t);
            all += std::string(t) + "\n";
            for (HWND g = GetWindow(c, GW_CHILD); g; g = GetWindow(g, GW_HWNDNEXT)) {
                GetWindowTextA(g, t, sizeof t);
                all += std::string(t) + "\n";
            }
        }
        return all;
    }

    TZvComInfo info{};
    bool shown = false;
    std::string texts;
};

std::int64_t PhysicalMegabytes() {
    MEMORYSTATUSEX m = {};
    m.dwLength = sizeof m;
    GlobalMemoryStatusEx(&m);
    return static_cast<std::int64_t>(m.ullTotalPhys >> 20);
}

void PressEnter(HWND) { Press(VK_RETURN); }

// A window below Root, at any depth, with that text.
HWND FindChild(HWND Root, const char* Text) {
    struct Search {
        const char* Text;
        HWND Found;
        static BOOL CALLBACK Visit(HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            char t[256];
            GetWindowTextA(w, t, sizeof t);
            if (std::string(t) == s->Text) {
                s->Found = w;
                return FALSE;
            }
            return TRUE;
        }
    } search{Text, nullptr};
    EnumChildWindows(Root, &Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

TEST_F(ComInit, PassesOnThisMachineAndStoresTheFlag) {
    info.SuggestColors = 5;
    info.SuggestResolution = 3;  // the test display: 1024 x 768, true colour
    EXPECT_TRUE(Run());
    EXPECT_FALSE(shown) << "a display as good as the suggestion needs no dialog";
    int flag = -1;
    ASSERT_TRUE(FlagStored(flag)) << "the flag is written on the first start";
    EXPECT_EQ(flag, 1);
}

TEST_F(ComInit, ExactlyTheRequiredMemoryPassesOneMegabyteMoreFails) {
    info.SuggestDisplay = false;
    info.MinMemoryMB = static_cast<int>(PhysicalMegabytes());
    EXPECT_TRUE(Run());
    EXPECT_FALSE(shown);
    info.MinMemoryMB += 1;
    EXPECT_FALSE(Run(PressEnter));
    EXPECT_TRUE(shown);
    EXPECT_NE(texts.find("You must have at least " + std::to_string(info.MinMemoryMB) + "MB of RAM."),
              std::string::npos)
        << texts;
}

TEST_F(ComInit, TooFewColoursIsRefusedWithTheClassName) {
    info.MinColors = 6;
    EXPECT_FALSE(Run(PressEnter));
    EXPECT_TRUE(shown);
    EXPECT_NE(texts.find(std::string(kTitle) + " requires at least a -color display to run."), std::string::npos)
        << texts;
}

TEST_F(ComInit, SecondInstanceTellsTheFirstAndEndsSilently) {
    static UINT received = 0;
    static WPARAM wp = 1;
    static LPARAM lp = 1;
    const UINT msg = RegisterWindowMessageA(kTitle);
    struct Listener {
        static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM a, LPARAM b) {
            if (m == RegisterWindowMessageA(kTitle)) {
                ++received;
                wp = a;
                lp = b;
                return 0;
            }
            return DefWindowProcA(w, m, a, b);
        }
    };
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Listener::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZvComProbeListener";
    RegisterClassA(&wc);
    HWND listener = CreateWindowExA(0, wc.lpszClassName, "listener", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    ASSERT_NE(msg, 0u);

    info.SingleInstance = true;
    info.SuggestDisplay = false;
    EXPECT_TRUE(Run()) << "the first instance runs";
    EXPECT_EQ(received, 0u);
    EXPECT_FALSE(Run()) << "a second instance ends";
    EXPECT_FALSE(shown) << "without a message";
    EXPECT_EQ(received, 1u);
    EXPECT_EQ(wp, 0u);
    EXPECT_EQ(lp, 0);

    ZvComDone();
    EXPECT_TRUE(Run()) << "once the first is done, a new start runs";
    DestroyWindow(listener);
}

TEST_F(ComInit, WithoutSingleInstanceAnyNumberStart) {
    info.SuggestDisplay = false;
    EXPECT_TRUE(Run());
    EXPECT_TRUE(Run());
    HANDLE m = OpenMutexA(SYNCHRONIZE, FALSE, kTitle);
    EXPECT_EQ(m, nullptr) << "no mutex is made";
    if (m) CloseHandle(m);
}

TEST_F(ComInit, SuggestionOfferedWhileTheFlagIsOneAndNeverAfterDontShow) {
    info.SuggestColors = 6;  // more than any display: the suggestion is due
    // No: the host runs, and is asked again next time.
    EXPECT_TRUE(Run([](HWND) { Press(VK_ESCAPE); }));
    EXPECT_TRUE(shown);
    EXPECT_NE(texts.find("Your probes will look better and it will be easier to work with ZvCom Startup Probe with "
                         "different settings."),
              std::string::npos)
        << texts;
    EXPECT_NE(texts.find("Current settings: True colors, " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                         std::to_string(GetSystemMetrics(SM_CYSCREEN))),
              std::string::npos)
        << texts;
    EXPECT_NE(texts.find("Suggested:  colors, 800x600"), std::string::npos) << texts;
    int flag = -1;
    ASSERT_TRUE(FlagStored(flag));
    EXPECT_EQ(flag, 1);

    // Close box: the host runs.
    EXPECT_TRUE(Run([](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_TRUE(shown);

    // "Don't show this dialog box again" and No: never asked again.
    EXPECT_TRUE(Run([](HWND d) {
        ClickOn(FindChild(d, "&Don't show this dialog box again"));
        Press(VK_ESCAPE);
    }));
    EXPECT_TRUE(shown);
    ASSERT_TRUE(FlagStored(flag));
    EXPECT_EQ(flag, 0);
    EXPECT_TRUE(Run());
    EXPECT_FALSE(shown);
}

// Yes opens the display settings, and the host ends; "Don't show this dialog
// box again" holds for Yes as well.
TEST_F(ComInit, YesOpensTheDisplaySettingsAndEndsTheHost) {
    info.SuggestColors = 6;
    EXPECT_FALSE(Run([](HWND) { Press(VK_RETURN); }));
    EXPECT_TRUE(shown);
    int flag = -1;
    ASSERT_TRUE(FlagStored(flag));
    EXPECT_EQ(flag, 1);

    EXPECT_FALSE(Run([](HWND d) {
        ClickOn(FindChild(d, "&Don't show this dialog box again"));
        ClickOn(FindChild(d, "&Yes"));
    }));
    ASSERT_TRUE(FlagStored(flag));
    EXPECT_EQ(flag, 0);
    EXPECT_TRUE(Run());
    EXPECT_FALSE(shown);
}

TEST_F(ComInit, OtherFlagValuesSuppressTheDialogAndStayAsTheyAre) {
    info.SuggestColors = 6;
    {
        forms::TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Zelvani\\Common\\Init", true));
        reg.WriteInteger(FlagName(), 7);
    }
    EXPECT_TRUE(Run());
    EXPECT_FALSE(shown);
    int flag = -1;
    ASSERT_TRUE(FlagStored(flag));
    EXPECT_EQ(flag, 7);
}

TEST_F(ComInit, UnreadableFlagCountsAsOne) {
    info.SuggestColors = 6;
    {
        forms::TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Zelvani\\Common\\Init", true));
        reg.WriteString(FlagName(), "yes please");
    }
    EXPECT_TRUE(Run([](HWND) { Press(VK_ESCAPE); }));
    EXPECT_TRUE(shown);
    int flag = -1;
    ASSERT_TRUE(FlagStored(flag)) << "written back as a number";
    EXPECT_EQ(flag, 1);
}

TEST_F(ComInit, FlagIsReadAndWrittenEvenWithoutTheSuggestion) {
    info.SuggestColors = 6;
    info.SuggestDisplay = false;
    EXPECT_TRUE(Run());
    EXPECT_FALSE(shown);
    int flag = -1;
    ASSERT_TRUE(FlagStored(flag));
    EXPECT_EQ(flag, 1);
}

}  // namespace
