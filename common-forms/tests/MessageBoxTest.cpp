// The message box as a user meets it: its size, the place of its buttons,
// which button Enter and Escape press, the close box, and the last-error box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZvCom.h"

using namespace testsupport;

namespace {

struct Child {
    std::string Class, Text;
    RECT Rect;  // in the box's client coordinates
    HWND Wnd;
};

// What the box shows, read from its windows.
struct BoxView {
    std::string Caption;
    int Left = 0, OuterWidth = 0, ClientWidth = 0, ClientHeight = 0;
    // Text shows in the last line of the first label.
    bool LastLineDrawn = false;
    std::vector<Child> Buttons;
    std::vector<Child> Labels;
    std::string Focused;
};

BoxView Read(HWND box) {
    BoxView v;
    char text[512];
    GetWindowTextA(box, text, sizeof text);
    v.Caption = text;
    RECT r;
    GetWindowRect(box, &r);
    v.Left = r.left;
    v.OuterWidth = r.right - r.left;
    GetClientRect(box, &r);
    v.ClientWidth = r.right;
    v.ClientHeight = r.bottom;
    struct Ctx {
        HWND Box;
        BoxView* View;
        static BOOL CALLBACK Collect(HWND w, LPARAM p) {
            auto* c = reinterpret_cast<Ctx*>(p);
            Child ch;
            char buf[512];
            GetClassNameA(w, buf, sizeof buf);
            ch.Class = buf;
            GetWindowTextA(w, buf, sizeof buf);
            ch.Text = buf;
            GetWindowRect(w, &ch.Rect);
            MapWindowPoints(nullptr, c->Box, reinterpret_cast<POINT*>(&ch.Rect), 2);
            ch.Wnd = w;
            if (lstrcmpiA(ch.Class.c_str(), "Button") == 0) c->View->Buttons.push_back(ch);
            if (lstrcmpiA(ch.Class.c_str(), "Static") == 0) c->View->Labels.push_back(ch);
            return TRUE;
        }
    } ctx{box, &v};
    EnumChildWindows(box, &Ctx::Collect, reinterpret_cast<LPARAM>(&ctx));
    GetWindowTextA(GetFocus(), text, sizeof text);
    v.Focused = text;
    if (!v.Labels.empty()) {
        RECT line;
        GetWindowRect(v.Labels[0].Wnd, &line);
        line.top = line.bottom - 8;  // the lower part of the last line
        for (int y = line.top; y < line.bottom && !v.LastLineDrawn; ++y)
            for (int x = line.left; x < line.right && !v.LastLineDrawn; ++x)
                v.LastLineDrawn = ScreenPixel(POINT{x, y}) != GetSysColor(COLOR_BTNFACE);
    }
    return v;
}

// Shows a box, reads it once it is up, then answers it with Answer.
struct Shown {
    BoxView View;
    int Result = 0;
};

Shown Show(const std::string& Text, int DefaultButton, int Icon, const std::string& B1, const std::string& B2,
           const std::string& B3, const std::function<void(HWND)>& Answer, const std::string& Caption = "Probe") {
    Shown s;
    forms::TComponent owner(nullptr);
    Later(&owner, [&] {
        HWND box = GetActiveWindow();
        s.View = Read(box);
        Answer(box);
    });
    s.Result = ZvMessageBox(ShortString(Text), ShortString(Caption), DefaultButton, Icon, ShortString(B1),
                            ShortString(B2), ShortString(B3));
    return s;
}

void PressKey(WORD Vk) { Press(Vk); }

TEST(MessageBoxes, ShortTextGivesTheNarrowestBoxWithItsButtonCentred) {
    Shown s = Show("Saved.", 1, zvIconInformation, "OK", "", "", [](HWND) { PressKey(VK_RETURN); });
    EXPECT_EQ(s.Result, 1);
    EXPECT_EQ(s.View.Caption, "Probe");
    EXPECT_EQ(s.View.OuterWidth, 300);
    ASSERT_EQ(s.View.Buttons.size(), 1u);
    const RECT b = s.View.Buttons[0].Rect;
    EXPECT_EQ(b.left, s.View.ClientWidth / 2 - 42);
    EXPECT_EQ(b.top, 62) << "the icon's height decides for a one-line text";
    EXPECT_EQ(b.right - b.left, 85);
    EXPECT_EQ(b.bottom - b.top, 25);
    EXPECT_EQ(s.View.ClientHeight, 62 + 25 + 8);
    ASSERT_FALSE(s.View.Labels.empty());
    EXPECT_EQ(s.View.Labels[0].Text, "Saved.");
    EXPECT_EQ(s.View.Labels[0].Rect.left, 62);
    EXPECT_EQ(s.View.Labels[0].Rect.top, 15);
}

TEST(MessageBoxes, LongTextWrapsAtHalfTheScreenAndPushesTheButtonsDown) {
    std::string text;
    for (int i = 0; i < 12; ++i) text += "The picture could not be written to the folder. ";
    text = text.substr(0, 255);
    Shown s = Show(text, 1, zvIconStop, "OK", "", "", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(s.Result, 1) << "Escape presses the only button";
    ASSERT_FALSE(s.View.Labels.empty());
    const RECT l = s.View.Labels[0].Rect;
    const int w = l.right - l.left, h = l.bottom - l.top;
    EXPECT_LE(w, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(h, 32);
    EXPECT_EQ(s.View.OuterWidth, 62 + w + 30);
    ASSERT_EQ(s.View.Buttons.size(), 1u);
    EXPECT_EQ(s.View.Buttons[0].Rect.top, 15 + h + 15);
}

TEST(MessageBoxes, AWordLongerThanHalfTheScreenWrapsAndTheBoxStaysOnTheScreen) {
    const std::string text = ("Cannot find \"C:\\" + std::string(300, 'f')).substr(0, 254) + "\"";
    Shown s = Show(text, 1, zvIconExclamation, "OK", "", "", [](HWND) { PressKey(VK_RETURN); });
    ASSERT_FALSE(s.View.Labels.empty());
    const RECT l = s.View.Labels[0].Rect;
    EXPECT_LE(l.right - l.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_LE(s.View.OuterWidth, GetSystemMetrics(SM_CXSCREEN)) << "the box is wider than the screen";
    EXPECT_GE(s.View.Left, 0) << "the box's caption starts off the screen";
    EXPECT_TRUE(s.View.LastLineDrawn) << "the end of the path is not shown in the label's last line";
}

TEST(MessageBoxes, TwoButtonsSitEitherSideOfTheCentreAndTheSecondCancels) {
    Shown s = Show("Replace the file?", 1, zvIconQuestion, "&Yes", "&No", "", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(s.Result, 2);
    ASSERT_EQ(s.View.Buttons.size(), 2u);
    const int c = s.View.ClientWidth / 2;
    EXPECT_EQ(s.View.Buttons[0].Rect.left, c - 87);
    EXPECT_EQ(s.View.Buttons[1].Rect.left, c + 3);
    EXPECT_EQ(s.View.Focused, "&Yes");

    s = Show("Replace the file?", 1, zvIconQuestion, "&Yes", "&No", "", [](HWND) { PressKey(VK_RETURN); });
    EXPECT_EQ(s.Result, 1) << "Enter presses the focused first button";
}

TEST(MessageBoxes, ThreeButtonsAndTheDefaultButtonChoice) {
    Shown s = Show("Save the changes?", 1, zvIconQuestion, "&Yes", "&No", "Cancel",
                   [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(s.Result, 3);
    ASSERT_EQ(s.View.Buttons.size(), 3u);
    const int c = s.View.ClientWidth / 2;
    EXPECT_EQ(s.View.Buttons[0].Rect.left, c - 132);
    EXPECT_EQ(s.View.Buttons[1].Rect.left, c - 42);
    EXPECT_EQ(s.View.Buttons[2].Rect.left, c + 48);

    s = Show("Save the changes?", 2, zvIconQuestion, "&Yes", "&No", "Cancel", [](HWND) { PressKey(VK_RETURN); });
    EXPECT_EQ(s.View.Focused, "&No");
    EXPECT_EQ(s.Result, 2);

    s = Show("Save the changes?", 3, zvIconQuestion, "&Yes", "&No", "Cancel", [](HWND) { PressKey(VK_RETURN); });
    EXPECT_EQ(s.View.Focused, "Cancel");
    EXPECT_EQ(s.Result, 3);

    // With DefaultButton 2, Tab goes from the second to the third button.
    s = Show("Save the changes?", 2, zvIconQuestion, "&Yes", "&No", "Cancel", [](HWND) {
        PressKey(VK_TAB);
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(s.Result, 3);
}

TEST(MessageBoxes, DefaultButtonThatIsNotShownIsIgnored) {
    Shown s = Show("Two only.", 3, zvIconQuestion, "&Yes", "&No", "", [](HWND) { PressKey(VK_RETURN); });
    EXPECT_EQ(s.View.Focused, "&Yes");
    EXPECT_EQ(s.Result, 1);
    s = Show("Three.", 7, zvIconQuestion, "&Yes", "&No", "Cancel", [](HWND) { PressKey(VK_RETURN); });
    EXPECT_EQ(s.View.Focused, "&Yes");
    EXPECT_EQ(s.Result, 1);
}

TEST(MessageBoxes, ThirdButtonNeedsTheSecond) {
    Shown s = Show("Only one.", 1, zvIconExclamation, "OK", "", "Cancel", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(s.View.Buttons.size(), 1u);
    EXPECT_EQ(s.Result, 1);
}

TEST(MessageBoxes, CloseBoxGivesTwoWhateverTheButtons) {
    for (const char* second : {"", "&No"}) {
        Shown s = Show("Closing.", 1, zvIconQuestion, "&Yes", second, "",
                       [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); });
        EXPECT_EQ(s.Result, 2) << "buttons: Yes + '" << second << "'";
    }
}

TEST(MessageBoxes, WithoutAKnownIconTheTextStillStartsAt62) {
    Shown s = Show("Plain.", 1, 0, "OK", "", "", [](HWND) { PressKey(VK_RETURN); });
    ASSERT_FALSE(s.View.Labels.empty());
    EXPECT_EQ(s.View.Labels[0].Rect.left, 62);
}

TEST(DisplayMessage, ShowsTheSystemTextOfTheLastError) {
    char expected[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND, 0x400,
                   expected, 255, nullptr);
    ASSERT_NE(expected[0], '\0');
    BoxView view;
    forms::TComponent owner(nullptr);
    Later(&owner, [&] {
        view = Read(GetActiveWindow());
        PressKey(VK_RETURN);
    });
    SetLastError(ERROR_FILE_NOT_FOUND);
    ZvDisplayMessage();
    ASSERT_EQ(view.Buttons.size(), 1u);
    EXPECT_EQ(view.Buttons[0].Text, "OK");
    ASSERT_FALSE(view.Labels.empty());
    EXPECT_EQ(view.Labels[0].Text, expected);
}

}  // namespace
