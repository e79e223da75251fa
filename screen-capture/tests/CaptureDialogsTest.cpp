// The Screen Capture and Properties dialogs driven as a user drives them:
// lists chosen with the keys, numbers and names typed, hot keys pressed,
// buttons and radio buttons clicked, the messages answered; the coded
// strings they hand back are compared byte for byte.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Autosizer.h"
#include "CaptureDialog.h"
#include "CaptureSettings.h"
#include "CodedHex.h"
#include "DialogSteps.h"
#include "FileSettings.h"
#include "Properties.h"
#include "ShownPicture.h"
#include "TestSupport.h"
#include "Zelvani.h"
#include "ZvScreen.h"

using namespace forms;
using namespace testsupport;
using namespace dialogsteps;
using namespace codedhex;

namespace {

ShortString Coded(const std::string& Bytes) { return ShortString(Bytes); }

TCaptureSettings DefaultSettings() {
    TCaptureSettings s = {};
    s.Text = ShortString("capture your screen");
    ZvDefaultCapture(cpWhen, s.When);
    ZvDefaultCapture(cpWhat, s.What);
    ZvDefaultCapture(cpThen, s.Then);
    ZvDefaultCapture(cpOptions, s.Options);
    return s;
}

// Chooses item Index of a closed list with the keys.
void Choose(TComboBox* List, int Index) {
    List->SetFocus();
    Press(VK_HOME);
    for (int i = 0; i < Index; ++i) Press(VK_DOWN);
    Settle();
}

// Replaces the text of an edit as typing does, each character through the
// edit's own key handling.
void Type(TEdit* Edit, const std::string& Text) {
    Edit->SetFocus();
    SendMessageA(Edit->Handle(), EM_SETSEL, 0, -1);
    if (Text.empty()) SendMessageA(Edit->Handle(), WM_CHAR, '\b', 0);
    for (char c : Text) SendMessageA(Edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    Settle();
}

// Whether a window shows a pixel of that colour.
bool ShowsColour(HWND Wnd, COLORREF Colour) {
    RECT r;
    GetClientRect(Wnd, &r);
    HDC dc = GetDC(Wnd);
    bool found = false;
    for (int y = 0; y < r.bottom && !found; ++y)
        for (int x = 0; x < r.right && !found; ++x) found = GetPixel(dc, x, y) == Colour;
    ReleaseDC(Wnd, dc);
    return found;
}

// The panels of a group that show.
std::string ShownPanels(TWinControl* Group) {
    std::string shown;
    for (TControl* c : Group->Controls())
        if (dynamic_cast<TPanel*>(c) && c->Visible()) shown += (shown.empty() ? "" : " ") + c->Name();
    return shown;
}

class ScreenCaptureDialog : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        ZvShowCaptureInit();
    }
    void TearDown() override { ZvShowCaptureFree(); }

    bool Run(TCaptureSettings& Settings, const std::vector<Step>& Steps) {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        return ZvShowCapture(Settings);
    }
    static TfrmCapture* Form() { return Active<TfrmCapture>(); }

    void AddPictures() {
        TIcon icon;
        icon.SetHandle(LoadIconA(nullptr, IDI_APPLICATION), false);
        int index = 0;
        for (const char* name : {"Screen 2", "Alpha", "Zed"})
            ZvShowCaptureAddChild(true, ShortString(name), index++, &icon);
    }
};

// ---- Screen Capture ----------------------------------------------------------------

TEST_F(ScreenCaptureDialog, DefaultsComeBackUnchanged) {
    AddPictures();
    TCaptureSettings s = DefaultSettings();
    s.PasteToChild = 7;
    std::string prompt, when, what, then, noProp;
    bool listFocused = false, optionsEnabled = false, greyText = false;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr) << "no Screen Capture dialog in front";
                                EXPECT_EQ(f->Caption(), "Screen Capture");
                                prompt = f->lblText->Caption();
                                when = ShownPanels(f->fraWhen);
                                what = ShownPanels(f->fraCapture);
                                then = ShownPanels(f->fraThen);
                                noProp = f->lbl10NoProp1->Caption() + " " + f->lbl10NoProp2->Caption() + " / " +
                                         f->lbl30NoProp2->Caption();
                                greyText = ShowsColour(f->lbl10NoProp1->Handle(), GetSysColor(COLOR_BTNSHADOW)) &&
                                           ShowsColour(f->lbl10NoProp2->Handle(), GetSysColor(COLOR_BTNSHADOW));
                                listFocused = GetFocus() == f->cboWhen->Handle();
                                optionsEnabled = f->cmdOptions->Enabled();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(prompt, "Sets the options below and clicks Capture to capture your screen.");
    EXPECT_EQ(when + " | " + what + " | " + then, "pan10 | pan20 | pan30");
    EXPECT_EQ(noProp, "No properties for \"immediately\" / \"show captured screen\"");
    EXPECT_TRUE(greyText) << "the empty panel's labels show in grey";
    EXPECT_TRUE(listFocused) << "the When list has the focus";
    EXPECT_TRUE(optionsEnabled);
    ASSERT_TRUE(ok) << "Capture closes with the OK result";
    EXPECT_EQ(Hex(s.When), Default(cpWhen));
    EXPECT_EQ(Hex(s.What), Default(cpWhat));
    EXPECT_EQ(Hex(s.Then), Default(cpThen));
    EXPECT_EQ(Hex(s.Options), Default(cpOptions));
    EXPECT_EQ(s.PasteToChild, 7) << "no picture has that number: it stays";
}

TEST_F(ScreenCaptureDialog, TheLengthRuleRepairsTheRecordAlsoOnCancel) {
    TCaptureSettings s = DefaultSettings();
    s.When = Coded(std::string("\x01\x05\x00", 3));
    s.What = Coded(std::string("\x02\x00\x10\x00\x20\x00\x30\x00\x40\x01\x02\x03", 12));
    s.Then = Coded(std::string("\x03\x00\x02\x01\x00\x00", 6));  // no printer, no file name: too short
    s.Options = Coded(std::string("\x00\x01\x01", 3));
    s.PasteToChild = 4;
    const bool ok = Run(s, {[&] {
                                ASSERT_NE(Form(), nullptr);
                                Press(VK_ESCAPE);
                            }});
    EXPECT_FALSE(ok);
    EXPECT_EQ(Hex(s.When), Default(cpWhen));
    EXPECT_EQ(Hex(s.What), "02 00 10 00 20 00 30 00 40 01 02 03") << "a What of 12 characters stays";
    EXPECT_EQ(Hex(s.Then), Default(cpThen));
    EXPECT_EQ(Hex(s.Options), Default(cpOptions));
    EXPECT_EQ(s.PasteToChild, 4);
}

TEST_F(ScreenCaptureDialog, EachWhenPanelWritesItsBytesAndKeepsTheOthers) {
    TCaptureSettings s = DefaultSettings();
    std::string panels, seconds;
    bool iconVisible = true, iconEnabled = true, iconChecked = true;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                Choose(f->cboWhen, 1);
                                panels = ShownPanels(f->fraWhen);
                                Type(f->txt11Seconds, "0");  // refused: the delay is 1 to 9
                                Type(f->txt11Seconds, "x");
                                seconds = f->txt11Seconds->Text();
                                Type(f->txt11Seconds, "7");
                                Choose(f->cboWhen, 2);
                                panels += " " + ShownPanels(f->fraWhen);
                                f->hky12Shortcut->SetFocus();
                                Chord({VK_CONTROL, VK_MENU}, 'K');
                                Settle();
                                Choose(f->cboWhen, 3);
                                panels += " " + ShownPanels(f->fraWhen);
                                ClickOn(f->opt13Click2->Handle());
                                Settle();
                                iconVisible = f->mnuPOptionsShowIcon->Visible;
                                iconEnabled = f->mnuPOptionsShowIcon->Enabled;
                                f->mnuPOptions_Popup(f->mnuPOptions);
                                iconChecked = f->mnuPOptionsShowIcon->Checked;
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(panels, "pan11 pan12 pan13");
    EXPECT_EQ(seconds, "3") << "neither 0 nor a letter is taken";
    EXPECT_TRUE(iconVisible && !iconEnabled && !iconChecked)
        << "with the tray icon as trigger the icon item shows, disabled and unticked";
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.When), "03 07 01 C0 4B") << "trigger, the delay and the key of the hidden panels, right click";
}

TEST_F(ScreenCaptureDialog, EnterAndEscapeInAnOpenListLeaveTheDialogOpen) {
    TCaptureSettings s = DefaultSettings();
    bool openAfterEnter = false, openAfterEscape = false;
    std::string then;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                f->cboThen->SetFocus();
                                Press(VK_F4);
                                ASSERT_TRUE(PumpUntil([&] { return f->cboThen->DroppedDown(); }));
                                Press(VK_END);  // "save to disk"
                                Press(VK_RETURN);
                                Settle();
                                // A button pressed sets the result; the dialog closes once this step is over.
                                openAfterEnter = Form() == f && f->ModalResult == mrNone;
                                then = ShownPanels(f->fraThen);
                                f->cboWhen->SetFocus();
                                PressAlt(VK_DOWN);
                                ASSERT_TRUE(PumpUntil([&] { return f->cboWhen->DroppedDown(); }));
                                Press(VK_DOWN);
                                Press(VK_ESCAPE);
                                Settle();
                                openAfterEscape = Form() == f && f->ModalResult == mrNone && !f->cboWhen->DroppedDown();
                                Press(VK_RETURN);  // the list is closed: "Capture"
                            }});
    EXPECT_TRUE(openAfterEnter) << "Enter in the open list started the capture";
    EXPECT_EQ(then, "pan33") << "Enter chose the item";
    EXPECT_TRUE(openAfterEscape) << "Escape in the open list cancelled the dialog";
    ASSERT_TRUE(ok) << "Enter in the closed list presses Capture";
    EXPECT_EQ(static_cast<int>(s.Then.Chars[0]), 5) << "the chosen item is kept";
}

TEST_F(ScreenCaptureDialog, KeyPressedNeedsAShortcutKey) {
    TCaptureSettings s = DefaultSettings();
    s.When = Coded(std::string("\x02\x03\x00\x00\x00", 5));
    std::string box;
    bool keyFocused = false;
    TShortCut shiftF = 0;
    TComponent timers(nullptr);
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                box = ClickAndAnswer(timers, f->Handle(), f->cmdOK->Handle());
                                keyFocused = GetFocus() == f->hky12Shortcut->Handle();
                                Chord({VK_SHIFT}, 'F');
                                Settle();
                                shiftF = f->hky12Shortcut->HotKey();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(box, "Screen Capture\nYou have not specify a shortcut key.\nOK\n");
    EXPECT_TRUE(keyFocused) << "the shortcut field has the focus after the message";
    EXPECT_EQ(shiftF, scCtrl | scAlt | 'F') << "Shift alone is no shortcut: it becomes Ctrl+Alt";
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.When), "02 03 00 C0 46");
}

TEST_F(ScreenCaptureDialog, ThePromptShowsTheCapturePicture) {
    TCaptureSettings s = DefaultSettings();
    std::string shown;
    bool themeHidden = false;
    Run(s, {[&] {
            TfrmCapture* f = Form();
            ASSERT_NE(f, nullptr);
            themeHidden = !f->picCaptureTheme->Visible();
            shown = shownpicture::Mismatch(f->picCapture->Handle(), "CAPTURE");
            ClickOn(f->cmdCancel->Handle());
        }});
    EXPECT_EQ(shown, "");
    EXPECT_TRUE(themeHidden) << "the theme's picture is for editing a theme";
}

TEST_F(ScreenCaptureDialog, TheAreaKeepsItsEdgesApartAndOnTheScreen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    TCaptureSettings s = DefaultSettings();
    // Left 300, Right 100 (below Left), Top 50, Bottom 40 (below Top).
    s.What = Coded(std::string("\x02\x03\x00\x01\x00\x00\x32\x00\x28\x10\x20\x30", 12));
    std::string shown, pushed, refused;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                shown = f->txt21Left->Text() + " " + f->txt21Right->Text() + " " +
                                        f->txt21Top->Text() + " " + f->txt21Bottom->Text();
                                Type(f->txt21Left, "700");
                                Press(VK_TAB);
                                Settle();
                                pushed = f->txt21Right->Text();
                                Type(f->txt21Left, "7a");
                                refused = f->txt21Left->Text();
                                Type(f->txt21Left, "700");
                                Type(f->txt21Top, "9999");
                                Press(VK_TAB);
                                Settle();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(shown, "300 300 50 50") << "an edge below its partner shows as the partner";
    EXPECT_EQ(pushed, "701") << "Left typed past Right pushes Right";
    EXPECT_EQ(refused, "7") << "letters are not typed";
    ASSERT_TRUE(ok);
    unsigned char area[12] = {2};
    WriteTwoByte(area + 1, 700);
    WriteTwoByte(area + 3, 701);
    WriteTwoByte(area + 5, h - 2);
    WriteTwoByte(area + 7, h - 1);
    area[9] = 0x10, area[10] = 0x20, area[11] = 0x30;
    EXPECT_EQ(Hex(s.What), Hex(Coded(std::string(reinterpret_cast<char*>(area), 12))))
        << "Top left at the largest it can be, Bottom pushed to the screen's last row (" << w << " x " << h << ")";
}

// A number typed into an edge is taken whole, once the field is left: the
// first digit of 399 does not push Left 200 down to 2.
TEST_F(ScreenCaptureDialog, AnEdgePushesItsPartnerWhenItIsLeft) {
    TCaptureSettings s = DefaultSettings();
    unsigned char area[12] = {2};
    for (auto [at, value] : {std::pair{1, 200}, std::pair{3, 500}, std::pair{5, 10}, std::pair{7, 100}})
        WriteTwoByte(area + at, value);
    s.What = Coded(std::string(reinterpret_cast<char*>(area), 12));
    // Each edge is clicked, its text selected with Shift+Home and typed over.
    auto typeInto = [](TEdit* Edit, const char* Text) {
        ClickOn(Edit->Handle());
        Press(VK_END);
        PressWith(VK_SHIFT, VK_HOME);
        testsupport::Type(Text);
        Settle();
    };
    std::string whileTyping, afterLeaving, beforeOK;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                typeInto(f->txt21Right, "399");
                                whileTyping = f->txt21Left->Text() + " " + f->txt21Right->Text();
                                Press(VK_TAB);
                                Settle();
                                afterLeaving = f->txt21Left->Text() + " " + f->txt21Right->Text();
                                typeInto(f->txt21Left, "700");
                                beforeOK = f->txt21Left->Text() + " " + f->txt21Right->Text();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(whileTyping, "200 399") << "Left while 399 is typed into Right";
    EXPECT_EQ(afterLeaving, "200 399") << "Left and Right once Right is left";
    EXPECT_EQ(beforeOK, "700 399") << "Right waits while 700 is typed into Left";
    ASSERT_TRUE(ok);
    WriteTwoByte(area + 1, 700);
    WriteTwoByte(area + 3, 701);
    EXPECT_EQ(Hex(s.What), Hex(Coded(std::string(reinterpret_cast<char*>(area), 12))))
        << "Capture reads Left 700 and pushes Right to 701";
}

TEST_F(ScreenCaptureDialog, TheAutosizerStartsAtTheAreaAndSetsIt) {
    TCaptureSettings s = DefaultSettings();
    s.What = Coded(std::string("\x02\x01\x00\x03\x63\x00\x32\x02\x31\xFF\xFF\xFF", 12));  // 100..399 x 50..249
    RECT sizer = {};
    TComponent timers(nullptr);
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                bool done = false;
                                WhenReady(timers, [] { return Active<TfrmAutosizer>() != nullptr; }, [&] {
                                    TfrmAutosizer* a = Active<TfrmAutosizer>();
                                    sizer = {a->Left(), a->Top(), a->Width(), a->Height()};
                                    a->SetBounds(a->Left() + 10, a->Top() + 20, a->Width(), a->Height());
                                    ClickOn(a->cmdOK->Handle());
                                    done = true;
                                });
                                ClickOn(f->cmd21Autosizer->Handle());
                                PumpUntil([&] { return done && Form() != nullptr; });
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(sizer.left, 100);
    EXPECT_EQ(sizer.top, 50);
    EXPECT_EQ(sizer.right, 300) << "width";
    EXPECT_EQ(sizer.bottom, 200) << "height";
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.What), "02 01 0A 04 09 00 46 02 45 FF FF FF") << "the area moved by 10, 20: 110..409 x 70..269";
}

TEST_F(ScreenCaptureDialog, SaveToDiskChecksTheFileName) {
    TCaptureSettings s = DefaultSettings();
    s.Then = Coded(std::string("\x05\x00\x03\x00\x00\x06Screen", 12));
    std::vector<std::string> boxes;
    TComponent timers(nullptr);
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                EXPECT_EQ(ShownPanels(f->fraThen), "pan33");
                                for (const char* name : {"", "a/b", "a**b"}) {
                                    Type(f->txt33Filename, name);
                                    boxes.push_back(ClickAndAnswer(timers, f->Handle(), f->cmdOK->Handle()));
                                    EXPECT_EQ(GetFocus(), f->txt33Filename->Handle()) << "after \"" << name << "\"";
                                }
                                Type(f->txt33Filename, "Shot*");
                                ClickOn(f->cmdOK->Handle());
                            }});
    auto box = [](const std::string& Text) { return "Screen Capture\n" + Text + "\nOK\n"; };
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         box("You must type a filename."),
                         box("A filename cannot contain any of the following characters:\r\n\t\\ / : ? \" < > |"),
                         box("A filename cannot contain more than one *.")}));
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.Then), "05 01 03 00 00 05 53 68 6F 74 2A") << "save to disk, 3 digits, \"Shot*\"";
}

TEST_F(ScreenCaptureDialog, AnEmptyFileNameCountsOnlyForSaveToDisk) {
    TCaptureSettings s = DefaultSettings();
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                Choose(f->cboThen, 5);
                                Type(f->txt33Filename, "");
                                Choose(f->cboThen, 3);
                                ClickOn(f->cmdOK->Handle());
                            }});
    ASSERT_TRUE(ok) << "no message: the file name is not used";
    EXPECT_EQ(Hex(s.Then), "03 01 02 01 00 00") << "with no picture to paste to, paste as new shows chosen";
}

TEST_F(ScreenCaptureDialog, PasteToAChosenPicture) {
    AddPictures();
    TCaptureSettings s = DefaultSettings();
    s.Then = Coded(std::string("\x02\x00\x02\x01\x00\x06Screen", 12));
    s.PasteToChild = 2;
    std::vector<std::string> items;
    int preselected = -1;
    bool listWhileNew = true, listWhilePasteTo = false;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                items = f->cbo31PasteTo->Items();
                                preselected = f->cbo31PasteTo->ItemIndex();
                                EXPECT_TRUE(f->opt31PasteTo->Checked());
                                ClickOn(f->opt31PasteAsNew->Handle());
                                Settle();
                                listWhileNew = f->cbo31PasteTo->Enabled();
                                ClickOn(f->opt31PasteTo->Handle());
                                Settle();
                                listWhilePasteTo = f->cbo31PasteTo->Enabled();
                                Choose(f->cbo31PasteTo, 0);
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(items, (std::vector<std::string>{"Alpha  11", "Screen 2  01", "Zed  21"})) << "sorted";
    EXPECT_EQ(preselected, 2) << "the item numbered PasteToChild";
    EXPECT_FALSE(listWhileNew);
    EXPECT_TRUE(listWhilePasteTo);
    ASSERT_TRUE(ok);
    EXPECT_EQ(s.PasteToChild, 1) << "Alpha is picture 1";
    EXPECT_EQ(Hex(s.Then), Default(cpThen).replace(0, 2, "02"));
}

TEST_F(ScreenCaptureDialog, PasteAsNewDisabledAtTheLimitGivesPasteTo) {
    AddPictures();
    ZvShowCaptureDisable(ShortString("opt31PasteAsNew"));
    TCaptureSettings s = DefaultSettings();
    s.Then = Coded(std::string("\x02\x01\x02\x01\x00\x06Screen", 12));
    bool pasteTo = false;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                pasteTo = f->opt31PasteTo->Checked() && !f->opt31PasteAsNew->Enabled();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_TRUE(pasteTo);
    ASSERT_TRUE(ok);
    EXPECT_EQ(CodedByte(s.Then, 2), 0);
}

TEST_F(ScreenCaptureDialog, NoPictureAndNoNewOneLeavesPasteAsNewChecked) {
    ZvShowCaptureDisable(ShortString("opt31PasteAsNew"));
    ZvShowCaptureDisable(ShortString("cmd21Autosizer"));
    ZvShowCaptureDisable(ShortString("mnuPOptions"));  // not a windowed control: nothing happens
    ZvShowCaptureDisable(ShortString("nothing of that name"));
    TCaptureSettings s = DefaultSettings();
    s.Then = Coded(std::string("\x02\x00\x02\x01\x00\x06Screen", 12));
    s.PasteToChild = 5;
    bool asNew = false, pasteTo = true, list = true, autosizer = true;
    COLORREF listColour = 0;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                asNew = f->opt31PasteAsNew->Checked();
                                pasteTo = f->opt31PasteTo->Enabled();
                                list = f->cbo31PasteTo->Enabled();
                                listColour = ColorToRGB(f->cbo31PasteTo->Color());
                                autosizer = f->cmd21Autosizer->Enabled();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_TRUE(asNew) << "checked although disabled";
    EXPECT_FALSE(pasteTo || list);
    EXPECT_EQ(listColour, GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(autosizer) << "disabled by its name";
    ASSERT_TRUE(ok);
    EXPECT_EQ(CodedByte(s.Then, 2), 1);
    EXPECT_EQ(s.PasteToChild, 5);
}

TEST_F(ScreenCaptureDialog, TheOptionsMenuTogglesItsByte) {
    TCaptureSettings s = DefaultSettings();
    s.When = Coded(std::string("\x01\x03\x00\x00\x00", 5));
    TComponent timers(nullptr);
    COLORREF inside = 0, outline = 0;
    bool cursorShown = true, okFocused = false;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                inside = ColorToRGB(f->cmdOptions->Glyph.Canvas().Pixel(8, 8));
                                outline = ColorToRGB(f->cmdOptions->Glyph.Canvas().Pixel(8, 6));
                                bool chosen = false;
                                Later(&timers, [&] {
                                    Press(VK_DOWN);
                                    Press(VK_DOWN);
                                    Press(VK_RETURN);
                                    chosen = true;
                                }, 300);
                                ClickOn(f->cmdOptions->Handle());
                                PumpUntil([&] { return chosen; }, 3000);
                                Settle();
                                okFocused = GetFocus() == f->cmdOK->Handle();
                                Choose(f->cboCapture, 3);
                                cursorShown = f->mnuPOptionsCursor->Visible;
                                Choose(f->cboCapture, 0);
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(inside, GetSysColor(COLOR_WINDOWTEXT)) << "the arrow is filled in the window-text colour";
    EXPECT_EQ(outline, RGB(0, 0, 0));
    EXPECT_TRUE(okFocused) << "Capture has the focus after the menu";
    EXPECT_FALSE(cursorShown) << "capturing the cursor offers no cursor option";
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.Options), "01 00") << "the second item, include mouse cursor, was unticked";
}

TEST_F(ScreenCaptureDialog, ThePrinterNameIsTheOneThatCame) {
    TCaptureSettings s = DefaultSettings();
    s.Then = Coded(std::string("\x00\x00\x02\x01\x05Laser\x06Screen", 17));
    std::string label, panels;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                label = f->lbl32Printer->Caption();
                                Choose(f->cboThen, 4);
                                panels = ShownPanels(f->fraThen);
                                ClickOn(f->cmdOK->Handle());
                            }});
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    EXPECT_EQ(label, needed ? "Laser" : "No printer installed");
    EXPECT_EQ(panels, "") << "print out shows no panel";
    ASSERT_TRUE(ok) << "and is stored without a printer check";
    EXPECT_EQ(Hex(s.Then), "04 01 02 01 05 4C 61 73 65 72 06 53 63 72 65 65 6E")
        << "the printer name as it came, never the label's text";
}

TEST_F(ScreenCaptureDialog, StoredIndexesOutsideTheListsChooseTheirFirstItems) {
    TCaptureSettings s = DefaultSettings();
    s.Text = ShortString("Choose and press Capture.");
    s.TextIsLabel = true;
    s.When = Coded(std::string("\x07\x03\x05\x00\x00", 5));
    CodedBytes(s.What)[0] = 9;
    CodedBytes(s.Then)[0] = 200;
    std::string prompt;
    int indexes[3] = {-1, -1, -1};
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                prompt = f->lblText->Caption();
                                indexes[0] = f->cboWhen->ItemIndex();
                                indexes[1] = f->cboCapture->ItemIndex();
                                indexes[2] = f->cboThen->ItemIndex();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(prompt, "Choose and press Capture.");
    EXPECT_EQ(indexes[0] + indexes[1] + indexes[2], 0);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.When), "00 03 02 00 00") << "no click option was checked: the third";
    EXPECT_EQ(CodedByte(s.What, 1), 0);
    EXPECT_EQ(CodedByte(s.Then, 1), 0);
}

TEST_F(ScreenCaptureDialog, ADoubleClickOnAClickOptionCaptures) {
    TCaptureSettings s = DefaultSettings();
    s.When = Coded(std::string("\x03\x03\x00\x00\x00", 5));
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                ToFront();
                                MouseTo(CentreOf(f->opt13Click3->Handle()));
                                for (int i = 0; i < 2; ++i) {
                                    Mouse(MOUSEEVENTF_LEFTDOWN);
                                    Mouse(MOUSEEVENTF_LEFTUP);
                                }
                            }});
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.When), "03 03 02 00 00");
}

// Whether the Colors dialog has stored its choice for the key (the program
// tag is empty: the common library was not started in this test).
bool ColourChoiceStoredUnder(const char* Key) {
    ShortString name;
    ZvConvertStr(ShortString(), ShortString(Key), name);
    TRegistry reg;
    return reg.OpenKeyReadOnly("Software\\Zelvani\\Common\\Color") && reg.ValueExists(name.str());
}

// Picks the palette's Red in the Colors dialog that the button opens, with
// the keys, and confirms or cancels it.
void PickRedWith(HWND Button, WORD Closing, TComponent& Timers) {
    bool done = false;
    WhenReady(
        Timers, [] { return Active<TForm>() == nullptr && GetActiveWindow() != nullptr; },
        [&] {
            // Home leads to Black, two rows down is Red.
            for (WORD key : {VK_HOME, VK_DOWN, VK_DOWN, VK_SPACE}) Press(key);
            Settle();
            Press(Closing);
            done = true;
        });
    ClickOn(Button);
    PumpUntil([&] { return done; }, 6000);
    Settle();
}

TEST_F(ScreenCaptureDialog, ChangeSetsTheCursorsBackgroundColour) {
    TCaptureSettings s = DefaultSettings();
    s.What = Coded(std::string("\x03\x00\x00\x05\x00\x00\x00\x03\x00\xFF\xFF\xFF", 12));
    TComponent timers(nullptr);
    COLORREF cancelled = 0, chosen = 0;
    bool okFocused = false;
    const bool ok = Run(s, {[&] {
                                TfrmCapture* f = Form();
                                ASSERT_NE(f, nullptr);
                                ASSERT_TRUE(f->txt22Color->Visible()) << "the cursor's panel shows";
                                PickRedWith(f->cmd22Color->Handle(), VK_ESCAPE, timers);
                                cancelled = ScreenPixel(CentreOf(f->txt22Color->Handle()));
                                PickRedWith(f->cmd22Color->Handle(), VK_RETURN, timers);
                                chosen = ScreenPixel(CentreOf(f->txt22Color->Handle()));
                                okFocused = GetFocus() == f->cmdOK->Handle();
                                ClickOn(f->cmdOK->Handle());
                            }});
    EXPECT_EQ(cancelled, RGB(255, 255, 255)) << "Cancel keeps the colour";
    EXPECT_EQ(chosen, RGB(255, 0, 0)) << "the swatch shows the colour chosen";
    EXPECT_TRUE(okFocused) << "Capture has the focus afterwards";
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s.What), "03 00 00 05 00 00 00 03 00 FF 00 00") << "red, green and blue of the background";
    EXPECT_TRUE(ColourChoiceStoredUnder("Capture")) << "the Colors dialog kept its choice under its key";
}

// ---- Properties -------------------------------------------------------------------

class PropertiesDialog : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        ZvShowPropertiesInit();
    }
    void TearDown() override { ZvShowPropertiesFree(); }

    bool Run(int Code, const char* Caption, ShortString& Settings, int& Child, const std::vector<Step>& Steps) {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        return ZvShowProperties(Code, ShortString(Caption), Settings, Child);
    }
    static TfrmProperties* Form() { return Active<TfrmProperties>(); }
};

TEST_F(PropertiesDialog, TheHotKeyKeepsTheOtherWhenBytes) {
    ShortString s = Coded(std::string("\x00\x03\x00\x00\x00", 5));
    int child = 3;
    std::string group, panels, box;
    bool focused = false;
    TComponent timers(nullptr);
    const bool ok = Run(12, "key pressed", s, child, {[&] {
                                                          TfrmProperties* f = Form();
                                                          ASSERT_NE(f, nullptr) << "no Properties dialog in front";
                                                          group = f->fraProperties->Caption();
                                                          panels = ShownPanels(f->fraProperties);
                                                          focused = GetFocus() == f->hky12Shortcut->Handle();
                                                          box = ClickAndAnswer(timers, f->Handle(),
                                                                               f->cmdOK->Handle());
                                                          f->hky12Shortcut->SetFocus();
                                                          Chord({VK_CONTROL, VK_MENU}, 'K');
                                                          Settle();
                                                          ClickOn(f->cmdOK->Handle());
                                                      }});
    EXPECT_EQ(group, " Properties for \"key pressed\" ");
    EXPECT_EQ(panels, "pan12");
    EXPECT_TRUE(focused);
    EXPECT_EQ(box, "Properties\nYou have not specify a shortcut key.\nOK\n");
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "00 03 00 C0 4B");
    EXPECT_EQ(child, 3);
}

TEST_F(PropertiesDialog, ModifiersWithoutAKeyAreNoShortcut) {
    ShortString s = Coded(std::string("\x00\x03\x00\xC0\x00", 5));  // Ctrl+Alt and no key
    int child = 0;
    std::string box;
    TComponent timers(nullptr);
    const bool ok = Run(12, "key pressed", s, child, {[&] {
                                                          TfrmProperties* f = Form();
                                                          ASSERT_NE(f, nullptr);
                                                          box = ClickAndAnswer(timers, f->Handle(),
                                                                               f->cmdOK->Handle());
                                                          ClickOn(f->cmdCancel->Handle());
                                                      }});
    EXPECT_EQ(box, "Properties\nYou have not specify a shortcut key.\nOK\n");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Hex(s), "00 03 00 C0 00");
}

TEST_F(PropertiesDialog, TheAreaKeepsKindAndColour) {
    ShortString s = Coded(std::string("\x07\x00\x00\x00\x20\x00\x30\x00\x40\x12\x34\x56", 12));
    int child = 0;
    bool focused = false;
    const bool ok = Run(21, "rectangular area", s, child, {[&] {
                                                               TfrmProperties* f = Form();
                                                               ASSERT_NE(f, nullptr);
                                                               focused = GetFocus() == f->txt21Left->Handle();
                                                               Type(f->txt21Right, "500");
                                                               ClickOn(f->cmdOK->Handle());
                                                           }});
    EXPECT_TRUE(focused);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "07 00 00 05 00 00 30 00 40 12 34 56");
}

TEST_F(PropertiesDialog, TheFileNameKeepsThePrinterAndTakesTheFileSettings) {
    ShortString s = Coded(std::string("\x05\x00\x02\x01\x05Laser\x06Screen", 17));
    int child = 0;
    TComponent timers(nullptr);
    const bool ok = Run(33, "save to disk", s, child, {[&] {
                                                           TfrmProperties* f = Form();
                                                           ASSERT_NE(f, nullptr);
                                                           EXPECT_EQ(GetFocus(), f->txt33Filename->Handle());
                                                           Type(f->txt33Filename, "Shot*");
                                                           bool done = false;
                                                           // File Settings: untick "depend on the number".
                                                           WhenReady(
                                                               timers,
                                                               [] { return Active<TfrmFileSettings>() != nullptr; },
                                                               [&] {
                                                                   auto* fs = Active<TfrmFileSettings>();
                                                                   ClickOn(fs->chkDependOnNumber->Handle());
                                                                   Settle();
                                                                   ClickOn(fs->cmdOK->Handle());
                                                                   done = true;
                                                               });
                                                           ClickOn(f->cmd33Settings->Handle());
                                                           PumpUntil([&] { return done && Form() != nullptr; });
                                                           ClickOn(f->cmdOK->Handle());
                                                       }});
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "05 00 02 00 05 4C 61 73 65 72 05 53 68 6F 74 2A");
}

TEST_F(PropertiesDialog, PasteToTheListedPictures) {
    TIcon icon;
    icon.SetHandle(LoadIconA(nullptr, IDI_APPLICATION), false);
    ZvShowPropertiesAddChild(true, ShortString("B"), 1, &icon);
    ZvShowPropertiesAddChild(false, ShortString("A"), 0, &icon);
    ShortString s = Coded(std::string("\xFF\x01\x02\x01\x00\x06Screen", 12));
    int child = 1;
    int preselected = -1;
    bool newFocused = false, listWhileNew = true;
    const bool ok = Run(31, "paste to picture", s, child, {[&] {
                                                               TfrmProperties* f = Form();
                                                               ASSERT_NE(f, nullptr);
                                                               preselected = f->cbo31PasteTo->ItemIndex();
                                                               newFocused =
                                                                   GetFocus() == f->opt31PasteAsNew->Handle();
                                                               listWhileNew = f->cbo31PasteTo->Enabled();
                                                               ClickOn(f->opt31PasteTo->Handle());
                                                               Settle();
                                                               Choose(f->cbo31PasteTo, 0);
                                                               ClickOn(f->cmdOK->Handle());
                                                           }});
    EXPECT_EQ(preselected, 1) << "B, the item numbered 1, after A";
    EXPECT_TRUE(newFocused);
    EXPECT_FALSE(listWhileNew);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "FF 00 02 01 00 06 53 63 72 65 65 6E");
    EXPECT_EQ(child, 0);
}

TEST_F(PropertiesDialog, PasteToTheCurrentPictureLeavesTheChildAlone) {
    ShortString s = Coded(std::string("\x02\x01\x02\x01\x00\x06Screen", 12));
    int child = 9;
    std::string caption;
    bool listShown = true;
    const bool ok = Run(31, "paste to picture", s, child, {[&] {
                                                               TfrmProperties* f = Form();
                                                               ASSERT_NE(f, nullptr);
                                                               caption = f->opt31PasteTo->Caption();
                                                               listShown = f->cbo31PasteTo->Visible();
                                                               ClickOn(f->opt31PasteTo->Handle());
                                                               ClickOn(f->cmdOK->Handle());
                                                           }});
    EXPECT_EQ(caption, "Past&e to current");
    EXPECT_FALSE(listShown);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "02 00 02 01 00 06 53 63 72 65 65 6E");
    EXPECT_EQ(child, 9);
}

TEST_F(PropertiesDialog, ACodeWithoutAPanelRewritesItsGroupUnchanged) {
    ShortString s = Coded(std::string("\x04\x01\x03\x00\x02HP\x06Screen", 14));
    int child = 0;
    std::string panels = "?";
    const bool ok = Run(32, "print out", s, child, {[&] {
                                                        TfrmProperties* f = Form();
                                                        ASSERT_NE(f, nullptr);
                                                        panels = ShownPanels(f->fraProperties);
                                                        ClickOn(f->cmdOK->Handle());
                                                    }});
    EXPECT_EQ(panels, "");
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "04 01 03 00 02 48 50 06 53 63 72 65 65 6E");
}

TEST_F(PropertiesDialog, BytesBeyondTheStringAreAbsent) {
    // A When of one byte with stale bytes behind it: the seconds, the click
    // and the key read as absent, not as the stale 5, 1 and 0x4041.
    ShortString s = Coded(std::string("\x01", 1));
    std::memcpy(s.Chars + 1, "\x05\x01\x40\x41", 4);
    int child = 0;
    std::string seconds;
    bool firstClick = false;
    const bool ok = Run(11, "time delay", s, child, {[&] {
                                                         TfrmProperties* f = Form();
                                                         ASSERT_NE(f, nullptr);
                                                         seconds = f->txt11Seconds->Text();
                                                         firstClick = f->opt13Click1->Checked();
                                                         ClickOn(f->cmdOK->Handle());
                                                     }});
    EXPECT_EQ(seconds, "1");
    EXPECT_TRUE(firstClick);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "01 01 00 00 00");
}

TEST_F(PropertiesDialog, CancelLeavesEverythingAsItWas) {
    ShortString s = Coded(std::string("\xFF\x00\x02\x01\x00\x06Screen", 12));
    int child = 4;
    const bool ok = Run(31, "paste to picture", s, child, {[&] {
                                                               TfrmProperties* f = Form();
                                                               ASSERT_NE(f, nullptr);
                                                               EXPECT_FALSE(f->opt31PasteTo->Enabled())
                                                                   << "no picture to paste to";
                                                               ClickOn(f->opt31PasteAsNew->Handle());
                                                               ClickOn(f->cmdCancel->Handle());
                                                           }});
    EXPECT_FALSE(ok);
    EXPECT_EQ(Hex(s), "FF 00 02 01 00 06 53 63 72 65 65 6E");
    EXPECT_EQ(child, 4);
}

TEST_F(PropertiesDialog, ChangeSetsTheCursorsBackgroundColour) {
    ShortString s = Coded(std::string("\x03\x00\x00\x05\x00\x00\x00\x03\x00\x12\x34\x56", 12));
    int child = 0;
    TComponent timers(nullptr);
    const bool ok = Run(22, "mouse cursor", s, child, {[&] {
                                                           TfrmProperties* f = Form();
                                                           ASSERT_NE(f, nullptr);
                                                           PickRedWith(f->cmd22Color->Handle(), VK_RETURN, timers);
                                                           ClickOn(f->cmdOK->Handle());
                                                       }});
    ASSERT_TRUE(ok);
    EXPECT_EQ(Hex(s), "03 00 00 05 00 00 00 03 00 FF 00 00");
    EXPECT_TRUE(ColourChoiceStoredUnder("Properties")) << "the Colors dialog kept its choice under its key";
}

}  // namespace
