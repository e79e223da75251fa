// The colours of controls: labels in their font's colour and alignment,
// edits on their colour also while disabled or read-only, owner-drawn lists
// and drop-down lists on theirs, each repainted when the colour changes.
#include <gtest/gtest.h>

#include "ComboBox.h"
#include "ListBox.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

constexpr TColor Red = 0x0000FF, Yellow = 0x00FFFF, Green = 0x80FF80, Blue = 0xFFC080;

void Settle() {
    PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 1000);
    PumpFor(50);
}

COLORREF Pixel(HWND Wnd, int X, int Y) {
    HDC dc = GetDC(Wnd);
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Wnd, dc);
    return c;
}

// How many pixels of the window's client area have the colour, and the
// columns of the leftmost and rightmost pixel that does not have the other.
struct Scan {
    int Count = 0;
    int First = -1, Last = -1;
};
Scan ScanClient(HWND Wnd, COLORREF Counted, COLORREF Ground) {
    RECT r;
    GetClientRect(Wnd, &r);
    Scan s;
    HDC dc = GetDC(Wnd);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            s.Count += c == Counted;
            if (c == Ground) continue;
            if (s.First < 0 || x < s.First) s.First = x;
            if (x > s.Last) s.Last = x;
        }
    ReleaseDC(Wnd, dc);
    return s;
}

class ControlColors : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 400, 300);
    }
    void TearDown() override { Free(form); }
    void Show() {
        form->Show();
        ToFront();
        UpdateWindow(form->Handle());
        Settle();
    }
    TForm* form = nullptr;
};

TEST_F(ControlColors, LabelsDrawInTheirFontsColourAndRepaintWhenItChanges) {
    auto* panel = new TPanel(form);
    panel->SetBounds(10, 10, 200, 60);
    panel->SetParent(form);
    auto* label = new TLabel(form);
    label->SetCaption("Greyed hint");
    label->SetBounds(10, 10, 0, 0);
    label->Font.SetColor(Red);
    label->SetParent(panel);  // the colours come from the label's parent, here the panel
    label->AdjustBounds();
    Show();
    const COLORREF face = GetSysColor(COLOR_BTNFACE), red = ColorToRGB(Red);
    EXPECT_GT(ScanClient(label->Handle(), red, face).Count, 20) << "the text in red";
    EXPECT_EQ(ScanClient(label->Handle(), GetSysColor(COLOR_WINDOWTEXT), face).Count, 0) << "no text in black";
    EXPECT_EQ(Pixel(label->Handle(), 0, 0), face) << "on the button face";

    label->Font.SetColor(clBtnShadow);
    Settle();
    EXPECT_GT(ScanClient(label->Handle(), GetSysColor(COLOR_BTNSHADOW), face).Count, 20)
        << "the system colour of the font";
    EXPECT_EQ(ScanClient(label->Handle(), red, face).Count, 0) << "repainted";
}

// A panel grows and loses its sunken border, as a scroll box does when its
// document window is maximised: its colour reaches every edge, with no
// trace of the border.
TEST_F(ControlColors, APanelThatLosesItsBorderIsItsColourToTheEdges) {
    auto* panel = new TPanel(form);
    panel->BevelOuter = bvNone;
    panel->SetColor(Green);
    panel->SetBounds(10, 10, 80, 50);
    panel->SetParent(form);
    Show();
    panel->SetBorder(true);
    Settle();
    ASSERT_EQ(panel->ClientWidth(), 76) << "a border of two pixels";
    panel->SetBounds(10, 10, 160, 100);
    panel->SetBorder(false);
    Settle();
    const Scan s = ScanClient(panel->Handle(), ColorToRGB(Green), ColorToRGB(Green));
    EXPECT_EQ(s.Count, 160 * 100) << "pixels of the panel's colour; others from column " << s.First << " to "
                                  << s.Last;
}

TEST_F(ControlColors, LabelsAlignTheirTextAsDescribedAndAtRunTime) {
    auto* label = new TLabel(form);
    label->Apply({.Name = "lblRight", .Left = 10, .Top = 10, .Width = 200, .Height = 20, .Caption = "Mid",
                  .AutoSize = false, .Alignment = taRightJustify});
    label->SetParent(form);
    Show();
    EXPECT_EQ(label->Alignment(), taRightJustify);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    Scan s = ScanClient(label->Handle(), 0, face);
    ASSERT_GE(s.First, 0) << "the text is drawn";
    const int width = s.Last - s.First;
    EXPECT_GE(s.Last, 200 - 3) << "at the right edge";

    label->SetAlignment(taCenter);
    Settle();
    s = ScanClient(label->Handle(), 0, face);
    EXPECT_LE(std::abs((s.First + s.Last) / 2 - 100), 2) << "centred: " << s.First << ".." << s.Last;
    EXPECT_EQ(s.Last - s.First, width) << "the same text";

    label->SetAlignment(taLeftJustify);
    Settle();
    s = ScanClient(label->Handle(), 0, face);
    EXPECT_LE(s.First, 2) << "at the left edge";
}

TEST_F(ControlColors, EditsKeepTheirColourWhenDisabledOrReadOnly) {
    auto* coloured = new TEdit(form);
    coloured->SetBounds(10, 10, 150, 22);
    coloured->SetText("abc");
    coloured->SetColor(Yellow);
    coloured->SetParent(form);
    auto* plain = new TEdit(form);
    plain->SetBounds(10, 40, 150, 22);
    plain->SetParent(form);
    Show();
    EXPECT_EQ(coloured->Color(), Yellow);
    EXPECT_EQ(plain->Color(), clWindow);
    // A point of the client area right of the text.
    auto ground = [](TEdit* Edit) { return Pixel(Edit->Handle(), Edit->ClientWidth() - 10, Edit->ClientHeight() / 2); };
    EXPECT_EQ(ground(coloured), ColorToRGB(Yellow));
    EXPECT_EQ(ground(plain), GetSysColor(COLOR_WINDOW));

    coloured->SetEnabled(false);
    plain->SetEnabled(false);
    Settle();
    EXPECT_EQ(ground(coloured), ColorToRGB(Yellow)) << "disabled";
    EXPECT_EQ(ground(plain), GetSysColor(COLOR_BTNFACE)) << "disabled with the system's colours";
    EXPECT_GT(ScanClient(coloured->Handle(), GetSysColor(COLOR_GRAYTEXT), ColorToRGB(Yellow)).Count, 5)
        << "the text of a disabled edit in grey";

    coloured->SetEnabled(true);
    SendMessageA(coloured->Handle(), EM_SETREADONLY, TRUE, 0);
    coloured->SetColor(Green);
    Settle();
    EXPECT_EQ(ground(coloured), ColorToRGB(Green)) << "read-only, repainted in the new colour";
    coloured->SetColor(clWindow);
    Settle();
    EXPECT_EQ(ground(coloured), GetSysColor(COLOR_BTNFACE)) << "read-only with the system's colours";
}

TEST_F(ControlColors, ListsFillTheirBackgroundAndUnselectedItemsWithTheirColour) {
    auto* list = new TListBox(form);
    list->SetBounds(10, 10, 120, 100);
    list->SetItems({"one", "two"});
    list->SetItemIndex(0);
    list->SetColor(Green);
    list->SetParent(form);
    Show();
    const int right = list->ClientWidth() - 5;
    EXPECT_EQ(Pixel(list->Handle(), right, list->ItemHeight / 2), GetSysColor(COLOR_HIGHLIGHT)) << "the chosen item";
    EXPECT_EQ(Pixel(list->Handle(), right, list->ItemHeight * 3 / 2), ColorToRGB(Green)) << "an item not chosen";
    EXPECT_EQ(Pixel(list->Handle(), right, list->ItemHeight * 4), ColorToRGB(Green)) << "the list below its items";
    list->SetColor(Yellow);
    Settle();
    EXPECT_EQ(Pixel(list->Handle(), right, list->ItemHeight * 3 / 2), ColorToRGB(Yellow)) << "repainted";
    EXPECT_EQ(Pixel(list->Handle(), right, list->ItemHeight * 4), ColorToRGB(Yellow));
}

TEST_F(ControlColors, DropDownListsShowTheirColourClosedAndOpen) {
    auto* combo = new TComboBox(form);
    combo->SetBounds(150, 10, 120, 24);
    combo->SetColor(Blue);
    combo->SetParent(form);
    auto* edit = new TEdit(form);  // holds the focus, so that the closed box shows its item unselected
    edit->SetBounds(10, 200, 100, 22);
    edit->SetParent(form);
    Show();
    edit->SetFocus();
    Settle();
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    auto open = [&] {
        SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        EXPECT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
        Settle();
    };
    auto close = [&] {
        SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        Settle();
    };

    // An open list without items is all background, which the list asks the
    // box for.
    open();
    RECT r;
    GetClientRect(info.hwndList, &r);
    ASSERT_GT(r.bottom, combo->ItemHeight);
    EXPECT_EQ(Pixel(info.hwndList, r.right / 2, r.bottom / 2), ColorToRGB(Blue)) << "the open list's background";
    combo->SetColor(Green);
    Settle();
    EXPECT_EQ(Pixel(info.hwndList, r.right / 2, r.bottom / 2), ColorToRGB(Green)) << "the open list repainted";
    close();

    combo->SetItems({"one", "two"});
    combo->SetItemIndex(0);
    Settle();
    RECT box;
    GetClientRect(combo->Handle(), &box);
    const int beforeButton = box.right - GetSystemMetrics(SM_CXVSCROLL) - 8;  // right of the item's text
    EXPECT_EQ(Pixel(combo->Handle(), beforeButton, box.bottom / 2), ColorToRGB(Green)) << "the closed box";
    open();
    GetClientRect(info.hwndList, &r);
    EXPECT_EQ(Pixel(info.hwndList, r.right - 5, combo->ItemHeight / 2), GetSysColor(COLOR_HIGHLIGHT))
        << "the chosen item";
    EXPECT_EQ(Pixel(info.hwndList, r.right - 5, combo->ItemHeight * 3 / 2), ColorToRGB(Green))
        << "an item not chosen";
    close();

    // The colour may be set while an item is drawn, from its state.
    int drawn = 0;
    combo->OnDrawItem = [&](TWinControl*, TCanvas&, int, const RECT&, UINT State) {
        ++drawn;
        combo->SetColor((State & ODS_DISABLED) ? clBtnFace : Yellow);
    };
    combo->SetEnabled(false);
    Settle();
    EXPECT_EQ(Pixel(combo->Handle(), beforeButton, box.bottom / 2), GetSysColor(COLOR_BTNFACE)) << "disabled";
    combo->SetEnabled(true);
    Settle();
    EXPECT_EQ(Pixel(combo->Handle(), beforeButton, box.bottom / 2), ColorToRGB(Yellow)) << "enabled again";
    EXPECT_LT(drawn, 10) << "the drawing settles";
}

}  // namespace
