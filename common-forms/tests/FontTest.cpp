// The font dialog as a user meets it through ZvShowFont: the lists and the
// keys of the fields above them, the effects, the colour through the Colors
// dialog, the preview, and the choice of preview text remembered per
// caller, on the fonts the test display really has.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DialogSteps.h"
#include "Registry.h"
#include "TestSupport.h"
#include "Zelvani.h"
#include "ZvCom.h"
#include "ZvComProbe.h"

using namespace forms;
using namespace testsupport;
using namespace zvcomprobe;
using namespace dialogsteps;

namespace {

constexpr const char* kFontKey = "Software\\Zelvani\\Common\\Font";
constexpr const char* kTag = "ZvFontProbe";

std::string Upper(std::string S) {
    CharUpperBuffA(S.data(), static_cast<DWORD>(S.size()));
    return S;
}

// The TrueType fonts of the display, as the list should hold them.
std::vector<std::string> TrueTypeFonts() {
    std::vector<std::string> fonts = Screen.Fonts();
    fonts.erase(std::remove_if(fonts.begin(), fonts.end(),
                               [](const std::string& f) { return !ZvFontTrueType(ShortString(f)); }),
                fonts.end());
    return fonts;
}

std::string ValueName() {
    ShortString name;
    ZvConvertStr(ShortString(kTag), ShortString("Probe"), name);
    return name.str();
}

int StoredFlag() {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(kFontKey) || !reg.ValueExists(ValueName())) return -1;
    return reg.ReadInteger(ValueName());
}

struct TChoice {
    std::string Name = "Tahoma";
    int Size = 12;
    TFontStyles Style = 0;
    TColor Color = 0x0000FF;
    bool Confirmed = false;
};

class FontDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProbe("ZvCom Font Probe", kTag));
        Forget();
    }
    void TearDown() override {
        Forget();
        ZvComDone();
    }
    static void Forget() {
        TRegistry reg;
        if (reg.OpenKey(kFontKey, false)) reg.DeleteValue(ValueName());
    }
    static void Store(int Flag) {
        TRegistry reg;
        reg.OpenKey(kFontKey, true);
        reg.WriteInteger(ValueName(), Flag);
    }

    // Shows the dialog for the choice and runs the steps in it.
    static TChoice Run(TChoice Choice, const std::vector<Step>& Steps, const std::string& Preview = "") {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        ShortString name(Choice.Name);
        Choice.Confirmed = ZvShowFont(ShortString("Probe"), ShortString(Preview), name, Choice.Size, Choice.Style,
                                      Choice.Color);
        Choice.Name = name.str();
        return Choice;
    }
    static HWND Dialog() { return GetActiveWindow(); }
    // The control at a point of the dialog's client area.
    static HWND At(int X, int Y) { return ChildWindowFromPointEx(Dialog(), POINT{X, Y}, CWP_SKIPINVISIBLE); }
    static HWND FontField() { return At(20, 30); }
    static HWND StyleField() { return At(170, 30); }
    static HWND SizeField() { return At(280, 30); }
    static HWND FontList() { return At(20, 60); }
    static HWND SizeList() { return At(280, 60); }
    static HWND Preview() { return At(260, 200); }
    // The item a list shows chosen, "<none>" when none.
    static std::string ChosenIn(HWND List) {
        const LRESULT i = SendMessageA(List, LB_GETCURSEL, 0, 0);
        if (i < 0) return "<none>";
        char text[256] = {};
        SendMessageA(List, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static void FocusOn(HWND Field) {
        ClickOn(Field);
        Settle();
    }
    static void TypeOver(const std::string& Text) {
        Press(VK_END);
        Press(VK_HOME, true);
        Type(Text);
        Settle();
    }
};

TEST_F(FontDialog, ShowsTheCallersFontAndOKGivesItBackWithTheEffectsChosen) {
    std::string font, style, size, sizeItem, caption;
    const TChoice got = Run({.Name = "tahoma", .Size = 12, .Style = fsBold | fsItalic, .Color = 0x0000FF},
                            {[&] {
                                 caption = TextOf(Dialog());
                                 font = TextOf(FontField());
                                 style = TextOf(StyleField());
                                 size = TextOf(SizeField());
                                 sizeItem = ChosenIn(SizeList());
                                 PressAlt('U');
                             },
                             [] { PressAlt('K'); }, [] { Press(VK_RETURN); }});
    EXPECT_EQ(caption, "Font");
    EXPECT_EQ(font, "Tahoma") << "the caller's font found whatever its case";
    EXPECT_EQ(style, "Bold Italic");
    EXPECT_EQ(size, "12");
    EXPECT_EQ(sizeItem, "12");
    ASSERT_TRUE(got.Confirmed);
    EXPECT_EQ(got.Name, "Tahoma");
    EXPECT_EQ(got.Size, 12);
    EXPECT_EQ(got.Style, fsBold | fsItalic | fsUnderline | fsStrikeOut);
    EXPECT_EQ(got.Color, 0x0000FF);
}

TEST_F(FontDialog, TypingInTheFontFieldFindsTheFirstFontAtOrAfterIt) {
    const std::vector<std::string> fonts = TrueTypeFonts();
    ASSERT_GE(fonts.size(), 2u);
    const auto at = std::find_if(fonts.begin(), fonts.end(), [](const std::string& f) { return Upper(f) >= "T"; });
    const std::string atT = at == fonts.end() ? fonts.back() : *at;
    std::string afterT, afterZZZ, fieldAfterZZZ;
    const TChoice got = Run({}, {[&] {
                                     FocusOn(FontField());
                                     TypeOver("T");
                                     afterT = ChosenIn(FontList());
                                     TypeOver("ZZZ");
                                     afterZZZ = ChosenIn(FontList());
                                     Press(VK_TAB);  // leaving the field puts the font's name in it
                                 },
                                 [&] {
                                     fieldAfterZZZ = TextOf(FontField());
                                     Press(VK_RETURN);
                                 }});
    EXPECT_EQ(afterT, atT);
    EXPECT_EQ(afterZZZ, fonts.back()) << "past every font: the last one";
    EXPECT_EQ(fieldAfterZZZ, fonts.back());
    EXPECT_EQ(got.Name, fonts.back());
}

TEST_F(FontDialog, TheKeysOfTheFieldsMoveThroughTheirLists) {
    const std::vector<std::string> fonts = TrueTypeFonts();
    ASSERT_GE(fonts.size(), 8u) << "the display has too few fonts for a page";
    std::vector<std::string> sizes, fontSteps;
    std::string styleAfterDown;
    const TChoice got = Run({.Size = 12}, {[&] {
                                               FocusOn(SizeField());
                                               for (WORD key : {VK_NEXT, VK_NEXT, VK_PRIOR, VK_PRIOR, VK_PRIOR, VK_UP,
                                                                VK_DOWN}) {
                                                   Press(key);
                                                   Settle();
                                                   sizes.push_back(TextOf(SizeField()));
                                               }
                                               FocusOn(FontField());
                                               TypeOver(fonts[0]);
                                               for (WORD key : {VK_NEXT, VK_DOWN, VK_PRIOR, VK_UP}) {
                                                   Press(key);
                                                   Settle();
                                                   fontSteps.push_back(TextOf(FontField()));
                                               }
                                               FocusOn(StyleField());
                                               Press(VK_DOWN);
                                               Settle();
                                               styleAfterDown = TextOf(StyleField());
                                               Press(VK_RETURN);
                                           }});
    const std::vector<std::string> expectedSizes = {"24", "72", "22", "11", "8", "8", "9"};
    EXPECT_EQ(sizes, expectedSizes) << "Page Down and Up by 6, to the ends when fewer are left";
    const std::vector<std::string> expectedFonts = {fonts[6], fonts[7], fonts[1], fonts[0]};
    EXPECT_EQ(fontSteps, expectedFonts);
    EXPECT_EQ(styleAfterDown, "Italic");
    EXPECT_EQ(got.Size, 9);
    EXPECT_EQ(got.Name, fonts[0]);
    EXPECT_EQ(got.Style, fsItalic);
}

// A size the list does not have leaves the list without a choice; the keys
// start from its first item, and a typed size of 0 or below is not taken.
TEST_F(FontDialog, ASizeOutsideTheListAndSizesThatAreNoSizes) {
    std::string chosen, afterUp;
    const TChoice up = Run({.Size = 13}, {[&] {
                                              chosen = ChosenIn(SizeList());
                                              FocusOn(SizeField());
                                              Press(VK_UP);
                                              Settle();
                                              afterUp = TextOf(SizeField());
                                              Press(VK_RETURN);
                                          }});
    EXPECT_EQ(chosen, "<none>");
    EXPECT_EQ(afterUp, "8");
    EXPECT_EQ(up.Size, 8);

    for (const char* typed : {"0", "-5", "x"}) {
        const TChoice got = Run({.Size = 13}, {[&] {
                                                   FocusOn(SizeField());
                                                   TypeOver(typed);
                                                   Press(VK_RETURN);
                                               }});
        EXPECT_EQ(got.Size, 13) << "typed \"" << typed << "\"";
    }
    const TChoice typed = Run({.Size = 13}, {[&] {
                                                 FocusOn(SizeField());
                                                 TypeOver("30");
                                                 Press(VK_RETURN);
                                             }});
    EXPECT_EQ(typed.Size, 30) << "a size the list lacks, typed";
}

TEST_F(FontDialog, AFontNotInstalledChoosesArialOrElseTheLastFont) {
    const std::vector<std::string> fonts = TrueTypeFonts();
    const bool arial = std::find(fonts.begin(), fonts.end(), "Arial") != fonts.end();
    std::string shown;
    const TChoice got = Run({.Name = "No Such Font Here"}, {[&] {
                                                               shown = TextOf(FontField());
                                                               Press(VK_RETURN);
                                                           }});
    const std::string expected = arial ? "Arial" : fonts.back();
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(got.Name, expected);
}

TEST_F(FontDialog, CancelLeavesTheValuesAndWritesBackTheFlagAsRead) {
    Store(5);
    bool checked = true;
    const TChoice got = Run({.Name = "Tahoma", .Size = 12}, {[&] {
                                                                 checked = SendMessageA(At(170, 262), BM_GETCHECK,
                                                                                        0, 0) == BST_CHECKED;
                                                                 FocusOn(SizeField());
                                                                 TypeOver("20");
                                                                 Press(VK_ESCAPE);
                                                             }});
    EXPECT_FALSE(got.Confirmed);
    EXPECT_EQ(got.Size, 12);
    EXPECT_EQ(got.Name, "Tahoma");
    EXPECT_FALSE(checked) << "only 1 checks the box";
    EXPECT_EQ(StoredFlag(), 5);

    Forget();
    Run({}, {[] { Press(VK_ESCAPE); }});
    EXPECT_EQ(StoredFlag(), 0) << "no value read: 0 written";
}

TEST_F(FontDialog, OKStoresWhetherThePreviewShowsTheFontsName) {
    Store(1);
    Run({}, {[] { Press(VK_RETURN); }});
    EXPECT_EQ(StoredFlag(), 1);
    Run({}, {[] { PressAlt('N'); }, [] { Press(VK_RETURN); }});
    EXPECT_EQ(StoredFlag(), 0);
    Run({}, {[] { PressAlt('N'); }, [] { Press(VK_RETURN); }});
    EXPECT_EQ(StoredFlag(), 1);
}

// The preview's text is centred: its inked columns span the width of the
// text in the chosen font.
TEST_F(FontDialog, ThePreviewShowsTheTextOrTheFontsNameCentred) {
    // The first and last columns of the preview's inside that show ink,
    // read from one copy of the screen.
    const auto inkedWidth = [] {
        HWND preview = Preview();
        RECT r;
        GetClientRect(preview, &r);
        POINT o = {0, 0};
        ClientToScreen(preview, &o);
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP b = CreateCompatibleBitmap(screen, r.right, r.bottom);
        HGDIOBJ old = SelectObject(mem, b);
        BitBlt(mem, 0, 0, r.right, r.bottom, screen, o.x, o.y, SRCCOPY);
        int first = -1, last = -1;
        for (int x = 2; x < r.right - 2; ++x)
            for (int y = 2; y < r.bottom - 2; ++y)
                if ((GetPixel(mem, x, y) & 0xFFFFFF) != RGB(255, 255, 255)) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        SelectObject(mem, old);
        DeleteObject(b);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        return std::make_pair(first, last);
    };
    const auto textWidth = [](const std::string& Text) {
        HDC dc = GetDC(nullptr);
        HFONT f = CreateFontA(-MulDiv(20, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                              DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
        HGDIOBJ old = SelectObject(dc, f);
        SIZE s;
        GetTextExtentPoint32A(dc, Text.c_str(), static_cast<int>(Text.size()), &s);
        SelectObject(dc, old);
        DeleteObject(f);
        ReleaseDC(nullptr, dc);
        return static_cast<int>(s.cx);
    };
    std::pair<int, int> sample, name;
    Run({.Name = "Tahoma", .Size = 20, .Color = 0},
        {[&] {
             sample = inkedWidth();
             PressAlt('N');
         },
         [&] {
             name = inkedWidth();
             Press(VK_ESCAPE);
         }});
    const int sampleWidth = textWidth("AaBbYyZz"), nameWidth = textWidth("Tahoma");
    EXPECT_NEAR(sample.first, (200 - sampleWidth) / 2, 3) << "\"AaBbYyZz\" for an empty preview text";
    EXPECT_NEAR(sample.second - sample.first + 1, sampleWidth, 4);
    EXPECT_NEAR(name.first, (200 - nameWidth) / 2, 3) << "the font's name";
    EXPECT_NEAR(name.second - name.first + 1, nameWidth, 4);
}

TEST_F(FontDialog, ChangeOpensTheColorsDialogAndItsColourComesBack) {
    std::string colors;
    COLORREF swatch = 0;
    const TChoice got = Run({.Color = 0x0000FF},
                            {[] { PressAlt('C'); },
                             [&] {
                                 colors = TextOf(GetActiveWindow());
                                 MouseTo(POINT{2, 2});
                                 Settle();
                                 Press(VK_SPACE);  // off the palette's grid: Black
                                 Settle();
                                 Press(VK_RETURN);
                             },
                             [&] {
                                 HWND effects = At(20, 160);
                                 HWND box = ChildWindowFromPointEx(effects, POINT{53, 74}, CWP_SKIPINVISIBLE);
                                 swatch = ScreenPixel(CentreOf(box));
                                 Press(VK_RETURN);
                             }});
    EXPECT_EQ(colors, "Colors");
    EXPECT_EQ(swatch, RGB(0, 0, 0)) << "the colour box shows the new colour";
    EXPECT_EQ(got.Color, 0x000000);
}

}  // namespace
