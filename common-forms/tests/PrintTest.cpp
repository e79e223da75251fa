// The printer dialog as a host program drives it through its five exports,
// against real printers of the test's Wine prefix on Wine's PostScript
// driver: the messages, the list with its ports, the preselection, the
// driver's own property sheet opened and closed by real clicks, and the
// mode block that comes back. The dialog is built into the test so that it
// can read the dialog's labels; each test uses printers of its own names,
// since the driver keeps a printer's settings for the process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogSteps.h"
#include "Print.h"
#include "TestPrinters.h"
#include "TestSupport.h"
#include "ZvCom.h"
#include "ZvComProbe.h"

using namespace forms;
using namespace testsupport;
using namespace zvcomprobe;
using namespace dialogsteps;

namespace {

std::string DeviceOf(const DEVMODEA& Mode) {
    const char* name = reinterpret_cast<const char*>(Mode.dmDeviceName);
    return std::string(name, strnlen(name, CCHDEVICENAME));
}

DEVMODEA ModeBack() {
    DEVMODEA mode;
    std::memset(&mode, 0xAB, sizeof mode);
    ZvShowPrintGetMode(mode);
    return mode;
}

// The mode a host stored for a printer: its driver's, turned to landscape.
DEVMODEA LandscapeModeOf(const std::string& Printer) {
    DEVMODEA mode = testprinters::DriverMode(Printer);
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    mode.dmFields |= DM_ORIENTATION;
    return mode;
}

bool IsZero(const DEVMODEA& Mode) {
    const DEVMODEA zero = {};
    return std::memcmp(&Mode, &zero, sizeof Mode) == 0;
}

struct Found {
    const char* Class;
    const char* Text;
    HWND Wnd;
};

BOOL CALLBACK FindChild(HWND Wnd, LPARAM Param) {
    auto* f = reinterpret_cast<Found*>(Param);
    char cls[64] = {}, text[128] = {};
    GetClassNameA(Wnd, cls, sizeof cls);
    GetWindowTextA(Wnd, text, sizeof text);
    if (lstrcmpiA(cls, f->Class) == 0 && std::string(text) == f->Text) {
        f->Wnd = Wnd;
        return FALSE;
    }
    return TRUE;
}

// A control of a window (or of its pages) by its class and text.
HWND ChildOf(HWND Parent, const char* Class, const char* Text) {
    Found found{Class, Text, nullptr};
    EnumChildWindows(Parent, &FindChild, reinterpret_cast<LPARAM>(&found));
    return found.Wnd;
}

// The driver's property sheet: the window in front that is not the
// dialog's.
HWND Sheet() {
    HWND active = GetActiveWindow();
    return active && !Active<TfrmPrint>() ? active : nullptr;
}

// A step that notes what the message box in front says and answers it.
Step Answer(std::string& Box) {
    return [&Box] {
        Box = WindowTexts(GetActiveWindow());
        Press(VK_RETURN);
    };
}

// The closed list shows the chosen item with the printer picture at its
// left: its light, the one pure green of the dialog, is on the screen there.
bool ShowsPrinterPicture(HWND List) {
    RECT r;
    GetWindowRect(List, &r);
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.left + 24; ++x)
            if (ScreenPixel(POINT{x, y}) == RGB(0, 255, 0)) return true;
    return false;
}

bool Checked(HWND Button) { return Button && SendMessageA(Button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override {
        testprinters::RemoveAll();
        ASSERT_TRUE(StartProbe("ZvCom Print Probe", "ZvPrintProbe"));
        ZvShowPrintInit();
    }
    void TearDown() override {
        ZvShowPrintFree();
        ZvComDone();
        testprinters::RemoveAll();
    }

    static void Install(const std::string& Name, const std::string& Port = "FILE:") {
        ASSERT_TRUE(testprinters::Install(Name, Port)) << "printer '" << Name << "' installed";
    }

    // Shows the dialog for Printer with the steps run in it; the name that
    // came back.
    std::string Show(const std::string& Printer, const std::vector<Step>& Steps,
                     const std::string& Caption = "Printer Settings") {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        ShortString chosen("left over");
        ZvShowPrint(ShortString(Printer), ShortString(Caption), chosen);
        return chosen.str();
    }

    // The dialog as the user sees it: its items in their order, the chosen
    // one and "Where:".
    struct View {
        std::vector<std::string> Items;
        std::string Chosen = "<none>", Where;
        bool Shown = false;
    };
    static View Look() {
        View v;
        TfrmPrint* f = Active<TfrmPrint>();
        if (!f) return v;
        v.Shown = true;
        for (const auto& item : f->cboName->Items()) v.Items.push_back(ItemDevice(item));
        if (f->cboName->ItemIndex() >= 0) v.Chosen = ItemDevice(f->ChosenItem());
        v.Where = f->lblWhereValue->Caption();
        return v;
    }
    static void Click(TWinControl* Control) { ClickAndSettle(CentreOf(Control->Handle())); }
    static void ClickOK() { Click(Active<TfrmPrint>()->cmdOK); }
    static void ClickCancel() { Click(Active<TfrmPrint>()->cmdCancel); }
    // Chooses the printer from the open list with the keys a user would.
    // Alt+N goes to the list, whose closed box the arrow keys step through.
    static void ChooseWithKeys(const std::string& Device) {
        TfrmPrint* f = Active<TfrmPrint>();
        PressAlt('N');
        Press(VK_HOME);
        for (size_t i = 0; i < f->cboName->Items().size(); ++i) {
            Settle();
            if (Look().Chosen == Device) break;
            Press(VK_DOWN);
        }
        Settle();
    }
    // Opens the driver's sheet with a click on "&Properties...", runs Then
    // in it once it is in front, and lets the dialog go on.
    void InSheet(const std::function<void(HWND)>& Then) {
        bool done = false;
        WhenReady(sheetOwner, [] { return Sheet() && ChildOf(Sheet(), "Button", "&Landscape"); },
                  [&done, Then] {
                      Then(Sheet());
                      done = true;
                  });
        ClickOn(Active<TfrmPrint>()->cmdProperties->Handle());
        PumpUntil([&] { return done; }, 8000);
        Settle();
        sheetDone = sheetDone || done;
    }
    // Shows the dialog for Printer and opens the driver's sheet; notes
    // whether its radio button Shown is checked, clicks the one to Choose
    // (when given), closes the sheet with SheetButton and the dialog with OK
    // or Cancel. The name that came back.
    std::string ThroughSheet(const std::string& Printer, const char* Shown, bool& WasChecked, const char* Choose,
                             const char* SheetButton, bool DialogOK) {
        return Show(Printer, {[&] {
                        InSheet([&](HWND sheet) {
                            WasChecked = Checked(ChildOf(sheet, "Button", Shown));
                            if (Choose) ClickAndSettle(CentreOf(ChildOf(sheet, "Button", Choose)));
                            ClickOn(ChildOf(sheet, "Button", SheetButton));
                        });
                        DialogOK ? ClickOK() : ClickCancel();
                    }});
    }
    TComponent sheetOwner{nullptr};
    bool sheetDone = false;
};

// ---- before Init, after Free --------------------------------------------

TEST(PrintExports, BeforeInitAndAfterFreeDoNothingAndGiveEmptyResults) {
    testprinters::RemoveAll();
    ASSERT_TRUE(testprinters::Install("Unready Probe"));
    auto check = [](const char* When) {
        DEVMODEA mode = testprinters::DriverMode("Unready Probe");
        ZvShowPrintSetMode(mode);
        EXPECT_TRUE(IsZero(ModeBack())) << When << ": GetMode gives an empty block";
        ShortString chosen("left over");
        TComponent owner(nullptr);
        bool windowCame = false;
        WhenReady(owner, [] { return GetActiveWindow() != nullptr; },
                  [&] {
                      windowCame = true;
                      Press(VK_ESCAPE);
                  });
        ZvShowPrint(ShortString("Unready Probe"), ShortString("Printer Settings"), chosen);
        PumpFor(300);
        EXPECT_FALSE(windowCame) << When << ": no dialog and no message";
        EXPECT_EQ(chosen.str(), "") << When << ": ZvShowPrint gives an empty name";
        ZvShowPrintFree();
    };
    check("before Init");
    ZvShowPrintInit();
    ZvShowPrintFree();
    check("after Free");
    testprinters::RemoveAll();
}

// ---- the messages ---------------------------------------------------------

TEST_F(PrintDialog, NoPrinterInstalledIsSaidAndNoDialogShows) {
    std::string box;
    View after;
    const std::string chosen = Show("Laser", {Answer(box),
                                              [&] {
                                                  after = Look();
                                                  if (after.Shown) ClickCancel();
                                              }});
    EXPECT_EQ(box, "Printer Settings\nNo printer installed.\nOK\n");
    EXPECT_FALSE(after.Shown) << "the dialog is not shown";
    EXPECT_EQ(chosen, "");
}

TEST_F(PrintDialog, APrinterNotInstalledIsSaidAndTheDefaultIsPreselected) {
    Install("Missing Probe A");
    Install("Missing Probe B", "LPT1:");
    ASSERT_TRUE(testprinters::MakeDefault("Missing Probe B"));
    std::string box;
    View seen;
    const std::string chosen = Show("Missing Probe C", {Answer(box),
                                                        [&] {
                                                            seen = Look();
                                                            ClickCancel();
                                                        }},
                                    "Pick");
    EXPECT_EQ(box, "Pick\nCannot find 'Missing Probe C'. Using default printer.\nOK\n");
    EXPECT_EQ(seen.Chosen, "Missing Probe B") << "the default printer";
    EXPECT_EQ(seen.Where, "LPT1:");
    EXPECT_EQ(chosen, "") << "Cancel gives no name";
}

TEST_F(PrintDialog, WithoutADefaultPrinterNothingIsChosenAndOKGivesNoName) {
    Install("Nodefault Probe");
    testprinters::ClearDefault();
    std::string box;
    View seen;
    const std::string chosen = Show("", {Answer(box),
                                         [&] {
                                             seen = Look();
                                             ClickOK();
                                         }});
    EXPECT_EQ(box, "Printer Settings\nCannot find ''. Using default printer.\nOK\n");
    EXPECT_EQ(seen.Items, std::vector<std::string>{"Nodefault Probe"});
    EXPECT_EQ(seen.Chosen, "<none>");
    EXPECT_EQ(seen.Where, "");
    EXPECT_EQ(chosen, "") << "OK with no printer chosen";
}

// ---- the list -------------------------------------------------------------

TEST_F(PrintDialog, TwoPrintersAreListedByNameWithTheirPortsAndFoundByTheirNumber) {
    // The spooler lists "Order-Zeta" before "OrderAlpha" (its order puts the
    // hyphen before letters); the dialog's list sorts by the system's word
    // order, which passes over hyphens.
    Install("OrderAlpha", "LPT1:");
    Install("Order-Zeta");
    ASSERT_TRUE(testprinters::MakeDefault("OrderAlpha"));
    const std::vector<std::string> spooler = testprinters::InstalledNames();
    View first, second;
    bool picture = false;
    const std::string chosen = Show(spooler[0], {[&] {
                                                     first = Look();
                                                     picture = ShowsPrinterPicture(
                                                         Active<TfrmPrint>()->cboName->Handle());
                                                     ChooseWithKeys(spooler[1]);
                                                     second = Look();
                                                     ClickOK();
                                                 }});
    ASSERT_EQ(spooler.size(), 2u);
    std::vector<std::string> reversed = {spooler[1], spooler[0]};
    EXPECT_EQ(first.Items, reversed) << "the list sorted by name, not in the spooler's order";
    EXPECT_EQ(first.Chosen, spooler[0]) << "the printer asked for, found by its number";
    EXPECT_TRUE(picture) << "the chosen item shows with the printer picture";
    EXPECT_EQ(first.Where, spooler[0] == "OrderAlpha" ? "LPT1:" : "FILE:");
    EXPECT_EQ(second.Chosen, spooler[1]);
    EXPECT_EQ(second.Where, spooler[1] == "OrderAlpha" ? "LPT1:" : "FILE:");
    EXPECT_EQ(chosen, spooler[1]) << "OK gives the chosen printer's name";
}

TEST_F(PrintDialog, TheListIsReadAnewAtEachShowing) {
    Install("Reread Probe A");
    View first, second;
    Show("Reread Probe A", {[&] {
             first = Look();
             ClickCancel();
         }});
    Install("Reread Probe B");
    const std::string chosen = Show("Reread Probe B", {[&] {
                                                           second = Look();
                                                           ClickOK();
                                                       }});
    EXPECT_EQ(first.Items, std::vector<std::string>{"Reread Probe A"});
    EXPECT_EQ(second.Items, (std::vector<std::string>{"Reread Probe A", "Reread Probe B"}))
        << "the printer added between the showings";
    EXPECT_EQ(second.Chosen, "Reread Probe B");
    EXPECT_EQ(chosen, "Reread Probe B");
}

// ---- the mode block -------------------------------------------------------

TEST_F(PrintDialog, AModeBlockFromTheCallerIsMadeSafe) {
    DEVMODEA mode = {};
    std::memset(mode.dmDeviceName, 'P', CCHDEVICENAME);  // no end within its 32 bytes
    mode.dmSize = 220;
    mode.dmDriverExtra = 8;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    mode.dmFields = DM_ORIENTATION;
    ZvShowPrintSetMode(mode);
    const DEVMODEA back = ModeBack();
    EXPECT_EQ(back.dmSize, 156) << "the block is 156 bytes";
    EXPECT_EQ(back.dmDriverExtra, 0) << "no driver data follows it";
    EXPECT_EQ(DeviceOf(back), std::string(CCHDEVICENAME - 1, 'P')) << "the name ends within its 32 bytes";
    EXPECT_EQ(back.dmOrientation, DMORIENT_LANDSCAPE) << "the settings stay";
}

TEST_F(PrintDialog, TheSheetClosedWithOKGivesTheChangedSettingInTheBlock) {
    Install("Sheet Probe");
    bool portraitFirst = false;
    const std::string chosen = ThroughSheet("Sheet Probe", "&Portrait", portraitFirst, "&Landscape", "OK", true);
    ASSERT_TRUE(sheetDone) << "the driver's sheet came up";
    EXPECT_TRUE(portraitFirst) << "the sheet starts from the printer's own settings";
    EXPECT_EQ(chosen, "Sheet Probe");
    const DEVMODEA back = ModeBack();
    EXPECT_EQ(DeviceOf(back), "Sheet Probe");
    EXPECT_EQ(back.dmOrientation, DMORIENT_LANDSCAPE) << "the orientation chosen in the sheet";
    EXPECT_EQ(back.dmSize, 156);
    EXPECT_EQ(back.dmDriverExtra, 0) << "the driver's own data does not travel with the block";
}

TEST_F(PrintDialog, TheSheetClosedWithCancelKeepsTheBlockAndCancelGivesNoName) {
    Install("Keep Probe");
    const DEVMODEA mode = LandscapeModeOf("Keep Probe");
    ASSERT_EQ(DeviceOf(mode), "Keep Probe");
    ZvShowPrintSetMode(mode);
    bool landscapeFirst = false;
    const std::string chosen = ThroughSheet("Keep Probe", "&Landscape", landscapeFirst, "&Portrait", "Cancel", false);
    ASSERT_TRUE(sheetDone) << "the driver's sheet came up";
    EXPECT_TRUE(landscapeFirst) << "the sheet starts from the block";
    EXPECT_EQ(chosen, "");
    const DEVMODEA back = ModeBack();
    EXPECT_EQ(DeviceOf(back), "Keep Probe");
    EXPECT_EQ(back.dmOrientation, DMORIENT_LANDSCAPE) << "the block as it was before the sheet";
}

TEST_F(PrintDialog, PropertiesForAnotherPrinterStartFromThatPrintersOwnSettings) {
    Install("Owner Probe A");
    Install("Owner Probe B");
    ZvShowPrintSetMode(LandscapeModeOf("Owner Probe A"));
    bool portraitFirst = false;
    const std::string chosen = ThroughSheet("Owner Probe B", "&Portrait", portraitFirst, nullptr, "OK", true);
    ASSERT_TRUE(sheetDone) << "the driver's sheet came up";
    EXPECT_TRUE(portraitFirst) << "the other printer's block is reset: B's own portrait, not A's landscape";
    EXPECT_EQ(chosen, "Owner Probe B");
    const DEVMODEA back = ModeBack();
    EXPECT_EQ(DeviceOf(back), "Owner Probe B");
    EXPECT_EQ(back.dmOrientation, DMORIENT_PORTRAIT);
}

TEST_F(PrintDialog, OKOnAnotherPrinterGivesThatPrintersOwnMode) {
    Install("Other Probe A");
    Install("Other Probe B");
    ZvShowPrintSetMode(LandscapeModeOf("Other Probe A"));
    const std::string chosen = Show("Other Probe B", {[&] { ClickOK(); }});
    EXPECT_EQ(chosen, "Other Probe B");
    const DEVMODEA back = ModeBack();
    EXPECT_EQ(DeviceOf(back), "Other Probe B") << "never A's settings under B's name";
    EXPECT_EQ(back.dmOrientation, DMORIENT_PORTRAIT) << "B's own settings";
}

TEST_F(PrintDialog, APrinterThatCannotBeOpenedIsReportedNotRead) {
    Install("Gone Probe");
    Install("Stay Probe");
    std::string box;
    bool sheetCame = false;
    const std::string chosen = Show("Gone Probe", {[&] {
        ASSERT_TRUE(testprinters::Remove("Gone Probe"));
        TfrmPrint* f = Active<TfrmPrint>();
        box = ClickAndAnswer(sheetOwner, f->Handle(), f->cmdProperties->Handle());
        sheetCame = Sheet() != nullptr;
        if (sheetCame) Press(VK_ESCAPE);
        Settle();
        box += "|" + ClickAndAnswer(sheetOwner, f->Handle(), f->cmdOK->Handle());
        ClickCancel();
    }});
    EXPECT_EQ(box,
              "Printer Settings\nCannot open the printer 'Gone Probe'. It may have been removed.\nOK\n"
              "|Printer Settings\nCannot open the printer 'Gone Probe'. It may have been removed.\nOK\n")
        << "Properties and OK both say so";
    EXPECT_FALSE(sheetCame);
    EXPECT_EQ(chosen, "") << "the dialog stayed open after OK, then Cancel";
    EXPECT_TRUE(IsZero(ModeBack())) << "nothing was read";
}

}  // namespace
