// Capture themes: the theme string's parts and their repair, and the
// Capture Theme dialog driven as a user drives it (buttons clicked, names
// typed, questions answered, a theme edited); the themes it hands back are
// compared byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "CaptureDialog.h"
#include "CaptureTheme.h"
#include "CodedHex.h"
#include "DialogSteps.h"
#include "RenameTheme.h"
#include "ShownPicture.h"
#include "TestSupport.h"
#include "Theme.h"
#include "ZvScreen.h"

using namespace forms;
using namespace testsupport;
using namespace dialogsteps;
using namespace codedhex;

namespace {

std::string Defaults() {
    ShortString s;
    ZvDefaultCapture(cpTheme, s);
    return s.str();
}

// A theme of that name with the default settings.
ShortString Theme(const std::string& Name, const std::string& Settings = Defaults()) {
    return ShortString(std::string(1, static_cast<char>(Name.size())) + Name + Settings);
}

std::string Listed() {
    std::string names;
    for (int i = 1;; ++i) {
        ShortString t;
        ZvShowThemeGet(i, t);
        if (t.Length == 0) break;
        names += (names.empty() ? "" : ", ") + CaptureThemeName(t);
    }
    return names;
}

// ---- The theme string ----------------------------------------------------------

TEST(ThemeStrings, SplitAndJoinGiveTheSameBytesAndBrokenPartsBecomeDefaults) {
    const std::string then = std::string("\x05\x01\x03\x00\x02", 5) + "PR" + std::string(1, 4) + "shot";
    const std::string settings =
        std::string("\x02\x04\x01\xC0\x41", 5) + std::string(12, '\x07') + then + std::string("\x00\x01", 2);
    const ShortString theme = Theme("Area", settings);
    const TThemeSettings parts = SplitCaptureTheme(theme);
    EXPECT_EQ(Hex(parts.When.str()), "02 04 01 C0 41");
    EXPECT_EQ(Hex(parts.Then.str()), Hex(then));
    EXPECT_EQ(Hex(parts.Options.str()), "00 01");
    EXPECT_EQ(Hex(JoinCaptureTheme("Area", parts).str()), Hex(theme.str()));

    // A printer name said to be 200 long in a Then of 12: the Then is the
    // default, the parts around it stay.
    std::string broken = settings;
    broken[17 + 4] = static_cast<char>(200);
    const TThemeSettings repaired = SplitCaptureTheme(Theme("Area", broken));
    ShortString defaultThen;
    ZvDefaultCapture(cpThen, defaultThen);
    EXPECT_EQ(Hex(repaired.Then.str()), Hex(defaultThen.str()));
    EXPECT_EQ(Hex(repaired.When.str()), "02 04 01 C0 41");
    EXPECT_EQ(Hex(repaired.Options.str()), "00 01");
}

TEST(ThemeStrings, AJoinedThemeOfMoreThan255BytesShortensTheNamesAndKeepsItsOptions) {
    TThemeSettings parts = SplitCaptureTheme(Theme("x"));
    const std::string printer(180, 'P'), file(48, 'F');
    parts.Then = ShortString(std::string("\x05\x00\x02\x01", 4) + std::string(1, static_cast<char>(180)) + printer +
                             std::string(1, 48) + file);
    parts.Options = ShortString(std::string("\x00\x01", 2));
    const ShortString joined = JoinCaptureTheme(std::string(48, 'N'), parts);
    EXPECT_EQ(joined.Length, 255);
    const TThemeSettings back = SplitCaptureTheme(joined);
    EXPECT_EQ(Hex(back.Options.str()), "00 01") << "the Options are the theme's last bytes";
    EXPECT_TRUE(ThenWhole(back.Then)) << "the Then's inner lengths still add up";
    EXPECT_EQ(ThenPrinterName(back.Then), printer);
    EXPECT_EQ(ThenFileName(back.Then), std::string(255 - 1 - 48 - 19 - 6 - 180, 'F'));
}

// ---- The dialog ------------------------------------------------------------------

class ThemeDialog : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        ZvShowThemeInit();
    }
    void TearDown() override { ZvShowThemeFree(); }

    int Run(const std::vector<Step>& Steps) {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        return ZvShowTheme();
    }
    // The window of that kind in front, waited for while the activation
    // comes back from a window that closed; when it does not come, the
    // test fails and a form that is never shown stands in, so that the
    // step ends and the dialog is closed by the watch over it.
    template <class T>
    static T* InFront(const char* What) {
        PumpUntil([] { return Active<T>() != nullptr; }, 3000);
        if (T* form = Active<T>()) return form;
        ADD_FAILURE() << What << " is not in front";
        static T* standIn = new T(Application);
        return standIn;
    }
    static TfrmTheme* Form() { return InFront<TfrmTheme>("the Capture Theme dialog"); }
    static TfrmRenameTheme* Prompt() { return InFront<TfrmRenameTheme>("the name prompt"); }

    // Types a name into the prompt in front and confirms it once OK is
    // enabled.
    static void Name(const std::string& Text) {
        TfrmRenameTheme* p = Prompt();
        ASSERT_NE(p, nullptr) << "no name prompt in front";
        Press(VK_END);
        Chord({VK_SHIFT}, VK_HOME);  // the name there is replaced
        testsupport::Type(Text);
        Settle();
        Press(VK_RETURN);
    }

    void AnswerBox(std::string& Texts, WORD Key = VK_RETURN) { AnswerOtherModulesBox(FOwner, Texts, Key); }
    TComponent FOwner{nullptr};
};

TEST_F(ThemeDialog, AddingTrimsTheNameAndStoresTheDefaults) {
    std::string cancel, prompt, caption;
    bool focused = false;
    const int count = Run({[&] {
                               ASSERT_NE(Form(), nullptr) << "no Capture Theme dialog in front";
                               caption = Form()->Caption();
                               cancel = Form()->cmdCancel->Caption();
                               focused = GetFocus() == Form()->lstThemeList->Handle();
                               ClickOn(Form()->cmdAdd->Handle());
                           },
                           [&] {
                               ASSERT_NE(Prompt(), nullptr);
                               prompt = Prompt()->Caption();
                               Name("  Full screen  ");
                           },
                           [&] {
                               cancel += " " + Form()->cmdCancel->Caption();
                               Press(VK_ESCAPE);
                           }});
    EXPECT_EQ(caption, "Capture Theme");
    EXPECT_TRUE(focused) << "the list has the focus";
    EXPECT_EQ(prompt, "Add Capture Theme");
    EXPECT_EQ(cancel, "Cancel Close") << "a change turns Cancel into Close";
    EXPECT_EQ(count, 1) << "the count also on Cancel";
    ShortString t;
    ZvShowThemeGet(1, t);
    EXPECT_EQ(t.Length, 43);
    EXPECT_EQ(Hex(t.str()), Hex(Theme("Full screen").str()));
    int index = -1;
    EXPECT_EQ(ZvShowThemeChoice(index), 2) << "closed otherwise than by Capture";
}

TEST_F(ThemeDialog, ANameListedInAnyCaseIsRefusedAlsoForTheThemeBeingRenamed) {
    ZvShowThemeAdd(Theme("Full screen"));
    ZvShowThemeAdd(Theme("Area"));
    std::string added, renamed, promptText;
    const int count = Run({[&] {
                               ASSERT_NE(Form(), nullptr);
                               ClickOn(Form()->cmdAdd->Handle());
                           },
                           [&] {
                               AnswerBox(added);
                               Name("full SCREEN");
                           },
                           [&] { ClickOn(Form()->cmdRename->Handle()); },  // Area is selected: first
                           [&] {
                               ASSERT_NE(Prompt(), nullptr);
                               promptText = Prompt()->Caption() + ": " + Prompt()->txtName->Text();
                               AnswerBox(renamed);
                               Name("area");
                           },
                           [&] { Press(VK_ESCAPE); }});
    EXPECT_EQ(added, "Capture Theme\nCannot rename to 'full SCREEN'. A capture theme with the name you specified "
                     "already exists.\nOK\n");
    EXPECT_EQ(promptText, "Rename Capture Theme: Area");
    EXPECT_EQ(renamed, "Capture Theme\nCannot rename to 'area'. A capture theme with the name you specified already "
                       "exists.\nOK\n");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Listed(), "Area, Full screen") << "nothing was added or renamed";
}

TEST_F(ThemeDialog, RenamingChangesOnlyThatThemesNameAndKeepsItsSettings) {
    const std::string own = std::string("\x01\x05\x02\x00\x00", 5) + Defaults().substr(5);
    ZvShowThemeAdd(Theme("Full", own));
    ZvShowThemeAdd(Theme("Full screen"));
    int result = 0, index = 0;
    const int count = Run({[&] { ClickOn(Form()->cmdRename->Handle()); },
                           [&] { Name("Zoom"); },
                           [&] {
                               EXPECT_EQ(Form()->lstThemeList->ItemIndex(), 1) << "the new name is selected";
                               ClickOn(Form()->cmdCapture->Handle());
                           }});
    result = ZvShowThemeChoice(index);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Listed(), "Full screen, Zoom");
    ShortString t;
    ZvShowThemeGet(2, t);
    EXPECT_EQ(Hex(t.str()), Hex(Theme("Zoom", own).str()));
    ZvShowThemeGet(1, t);
    EXPECT_EQ(Hex(t.str()), Hex(Theme("Full screen").str()));
    EXPECT_EQ(result, 1) << "closed by Capture";
    EXPECT_EQ(index, 2) << "with the renamed theme selected";
}

TEST_F(ThemeDialog, DeletingAsksAndSelectsTheItemThatTakesThePlace) {
    for (const char* name : {"a", "b", "c"}) ZvShowThemeAdd(Theme(name));
    std::string asked, kept;
    std::string states;
    const int count = Run({[&] {
                               ClickOn(Form()->lstThemeList->Handle());
                               Press(VK_END);
                               Settle();
                               AnswerBox(kept, VK_ESCAPE);
                               ClickOn(Form()->cmdDelete->Handle());
                           },
                           [&] {
                               states = std::to_string(Form()->Count());
                               AnswerBox(asked);
                               ClickOn(Form()->cmdDelete->Handle());
                           },
                           [&] {
                               states += " " + std::to_string(Form()->lstThemeList->ItemIndex());
                               for (int i = 0; i < 2; ++i) {
                                   std::string ignored;
                                   AnswerBox(ignored);
                                   ClickOn(Form()->cmdDelete->Handle());
                                   PumpFor(600);
                               }
                           },
                           [&] {
                               states += " " + std::to_string(Form()->lstThemeList->ItemIndex());
                               for (TButton* b : {Form()->cmdRename, Form()->cmdEdit, Form()->cmdDelete})
                                   states += b->Enabled() ? " enabled" : " disabled";
                               Press(VK_ESCAPE);
                           }});
    EXPECT_EQ(kept, "Capture Theme\nAre you sure you want to delete 'c'?\n&Yes\n&No\n");
    EXPECT_EQ(asked, kept);
    EXPECT_EQ(states, "3 1 -1 disabled disabled disabled")
        << "No keeps the three; deleting the last selects the new last; the only one leaves nothing to act on";
    EXPECT_EQ(count, 0);
}

TEST_F(ThemeDialog, TwentyThemesDeletedAndAddedEachKeepTheirSlot) {
    for (int i = 1; i <= 21; ++i) ZvShowThemeAdd(Theme("T" + std::to_string(i)));
    bool addEnabled = true, scrollBar = false;
    const int count = Run({[&] {
                               addEnabled = Form()->cmdAdd->Enabled();
                               scrollBar = (GetWindowLongPtrA(Form()->lstThemeList->Handle(), GWL_STYLE) &
                                            WS_VSCROLL) != 0;
                               ClickOn(Form()->lstThemeList->Handle());
                               for (int i = 0; i < 3; ++i) {  // T1, T10 and T11 go
                                   std::string ignored;
                                   AnswerBox(ignored);
                                   Press(VK_HOME);
                                   ClickOn(Form()->cmdDelete->Handle());
                                   PumpFor(600);
                               }
                               ClickOn(Form()->cmdAdd->Handle());
                           },
                           [&] { Name("new"); },
                           [&] { ClickOn(Form()->cmdAdd->Handle()); },
                           [&] { Name("T1"); },
                           [&] { Press(VK_ESCAPE); }});
    EXPECT_FALSE(addEnabled) << "Add is disabled at 20 themes";
    EXPECT_TRUE(scrollBar) << "20 themes, more than the list's lines, show no scroll bar";
    EXPECT_EQ(count, 19);
    std::set<std::string> names;
    for (int i = 1; i <= count; ++i) {
        ShortString t;
        ZvShowThemeGet(i, t);
        ASSERT_TRUE(CaptureThemeWellFormed(t)) << "position " << i;
        names.insert(CaptureThemeName(t));
    }
    const std::set<std::string> expected = {"new", "T1",  "T12", "T13", "T14", "T15", "T16", "T17", "T18", "T19",
                                            "T2",  "T20", "T3",  "T4",  "T5",  "T6",  "T7",  "T8",  "T9"};
    EXPECT_EQ(names, expected) << "every listed name has its own theme; the 21st was never listed";
}

TEST_F(ThemeDialog, EditShowsTheThemeInTheCaptureDialogAndOKUnchangedGivesTheSameBytes) {
    const std::string settings = std::string("\x02\x04\x01\xC0\x41", 5) + Defaults().substr(5, 12 + 12) +
                                 std::string("\x00\x00", 2);
    ZvShowThemeAdd(Theme("Keys", settings));
    std::string caption, prompt, ok, paste, cancel, picture;
    bool listHidden = false, captureHidden = false;
    int pictureLeft = 0;
    Run({[&] { ClickOn(Form()->cmdEdit->Handle()); },
         [&] {
             auto* f = Active<TfrmCapture>();
             ASSERT_NE(f, nullptr) << "no capture dialog for the theme";
             caption = f->Caption();
             captureHidden = !f->picCapture->Visible();
             pictureLeft = f->picCaptureTheme->Left();
             picture = f->picCaptureTheme->Visible() ? shownpicture::Mismatch(f->picCaptureTheme->Handle(), "CAPTURETHEME")
                                                      : "the theme's picture is hidden";
             prompt = f->lblText->Caption();
             ok = f->cmdOK->Caption();
             paste = f->opt31PasteTo->Caption();
             listHidden = !f->cbo31PasteTo->Visible();
             ClickOn(f->cmdOK->Handle());
         },
         [&] {
             cancel = Form()->cmdCancel->Caption();
             Press(VK_ESCAPE);
         }});
    EXPECT_EQ(caption, "Modify Capture Theme");
    EXPECT_TRUE(captureHidden) << "a capture's picture while a theme is edited";
    EXPECT_EQ(picture, "");
    EXPECT_EQ(pictureLeft, 9);
    EXPECT_EQ(prompt, "Sets the options below and clicks OK to apply changes.");
    EXPECT_EQ(ok, "OK");
    EXPECT_EQ(paste, "Past&e to current");
    EXPECT_TRUE(listHidden);
    EXPECT_EQ(cancel, "Close");
    ShortString t;
    ZvShowThemeGet(1, t);
    EXPECT_EQ(Hex(t.str()), Hex(Theme("Keys", settings).str())) << "the Options included";
}

TEST_F(ThemeDialog, EditOfAThemeWhosePartsDoNotAddUpShowsAndWritesTheDefaults) {
    std::string settings = Defaults();
    settings[5 + 12 + 4] = static_cast<char>(9);  // a printer name of 9 in a Then of 12
    settings.back() = 0;
    ZvShowThemeAdd(Theme("Odd", settings));
    std::string file;
    Run({[&] { ClickOn(Form()->cmdEdit->Handle()); },
         [&] {
             auto* f = Active<TfrmCapture>();
             ASSERT_NE(f, nullptr);
             file = f->txt33Filename->Text();
             ClickOn(f->cmdOK->Handle());
         },
         [&] { Press(VK_ESCAPE); }});
    EXPECT_EQ(file, "Screen") << "the default Then's file name";
    std::string expected = Defaults();
    expected.back() = 0;
    ShortString t;
    ZvShowThemeGet(1, t);
    EXPECT_EQ(Hex(t.str()), Hex(Theme("Odd", expected).str()));
}

TEST(ThemeExports, StoredThemesThatCannotBeListedAreLeftOut) {
    Application->Initialize();
    ZvShowThemeInit();
    ZvShowThemeAdd(Theme(""));
    ZvShowThemeAdd(ShortString(std::string("\x30", 1) + "Short" + Defaults()));  // the name runs past the end
    ZvShowThemeAdd(Theme("Cut", Defaults().substr(0, 25)));
    ZvShowThemeAdd(Theme("Full"));
    ZvShowThemeAdd(Theme("Full", std::string(31, '\x01')));
    ZvShowThemeAdd(Theme("FULL"));
    EXPECT_EQ(Listed(), "Full");
    ShortString t;
    ZvShowThemeGet(1, t);
    EXPECT_EQ(Hex(t.str()), Hex(Theme("Full").str())) << "the first of the same name stays";
    ZvShowThemeGet(0, t);
    EXPECT_EQ(t.Length, 0);
    ZvShowThemeGet(2, t);
    EXPECT_EQ(t.Length, 0);
    ZvShowThemeFree();
}

TEST(ThemeExports, BeforeInitAndAfterFreeNothingHappens) {
    Application->Initialize();
    ZvShowThemeFree();
    ZvShowThemeAdd(Theme("Lost"));
    ShortString t("stale");
    ZvShowThemeGet(1, t);
    EXPECT_EQ(t.Length, 0);
    EXPECT_EQ(ZvShowTheme(), 0);
    int index = 7;
    EXPECT_EQ(ZvShowThemeChoice(index), 0);
    EXPECT_EQ(index, 0);
}

}  // namespace
