// The catalog browser's windows as the program makes them at its start:
// their layout against the system's scroll-bar width, the current-screen
// field with its up-down and scroll bar, the comment window that closes
// only through OK, and the index file's path.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "CatalogFunc.h"
#include "ProgramWindows.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

// Shows the form modally and runs Steps once it is up; Steps end it.
int RunModal(TForm* Form, const std::function<void()>& Steps, TComponent& Timers) {
    Later(&Timers, [Form, Steps] {
        PumpUntil([Form] { return Form->Showing(); });
        ToFront();
        Steps();
    }, 300);
    return Form->ShowModal();
}

class Catalog : public ::testing::Test {
protected:
    void TearDown() override { frmCatalog->TotalCount = 0; }
    TComponent timers{nullptr};
};

TEST_F(Catalog, TheColumnBesideTheScrollBarFollowsTheBarsWidth) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const int w = metrics.iScrollWidth;
    RECT bar = {}, window = {};
    int columns[4] = {};
    bool focused = false;
    std::string total;
    RunModal(frmCatalog, [&] {
        GetWindowRect(frmCatalog->slbScroll->Handle(), &bar);
        MapWindowPoints(nullptr, frmCatalog->Handle(), reinterpret_cast<POINT*>(&bar), 2);
        GetWindowRect(frmCatalog->Handle(), &window);
        const TControl* column[] = {frmCatalog->panClose, frmCatalog->bvlLine, frmCatalog->panConfig,
                                    frmCatalog->panButtons};
        for (int i = 0; i < 4; ++i) columns[i] = column[i]->Left();
        focused = GetFocus() == frmCatalog->txtCurrent->Handle();
        total = frmCatalog->lblTotalCount->Caption();
        ClickOn(frmCatalog->cmdClose->Handle());
    }, timers);
    EXPECT_EQ(bar.left, 413);
    EXPECT_EQ(bar.right - bar.left, w) << "the scroll bar is as wide as the system's";
    for (int left : columns) EXPECT_EQ(left, (w - 18) + 441);
    EXPECT_EQ(window.right - window.left, (w - 18) + 541);
    EXPECT_TRUE(focused) << "the current-screen field takes the focus";
    EXPECT_EQ(total, "0");
}

// The field as it stands after the user leaves it with Tab, and the
// positions of the up-down and the scroll bar then.
struct Left {
    std::string Text;
    int UpDown, Bar, Current;
};

// Replaces the field's text by typing (the keys the field refuses are
// refused as typed), or by a paste where typing cannot give it; then Tab.
Left LeaveWith(const std::string& Typed, const std::string& Pasted = "") {
    TEdit* field = frmCatalog->txtCurrent;
    ClickOn(field->Handle());
    Settle();
    Press(VK_HOME);
    Press(VK_END, true);
    Press(VK_BACK);
    for (char c : Typed) Press(static_cast<WORD>(c));
    Settle();
    if (!Pasted.empty()) SendMessageA(field->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Pasted.c_str()));
    Press(VK_TAB);
    Settle();
    return {field->Text(), frmCatalog->updCurrent->Position(), frmCatalog->slbScroll->Position(), frmCatalog->Current};
}

TEST_F(Catalog, LeavingTheCurrentScreenKeepsItWithinTheCatalog) {
    Left empty{}, letters{}, above{}, inside{}, typedLetters{};
    frmCatalog->TotalCount = 5;
    RunModal(frmCatalog, [&] {
        empty = LeaveWith("");
        letters = LeaveWith("", "abc");
        above = LeaveWith("9");
        inside = LeaveWith("3");
        typedLetters = LeaveWith("A4B");
        ClickOn(frmCatalog->cmdClose->Handle());
    }, timers);
    EXPECT_EQ(empty.Text, "1");
    EXPECT_EQ(letters.Text, "1");
    EXPECT_EQ(above.Text, "5") << "above the total: the last screen";
    EXPECT_EQ(inside.Text, "3");
    EXPECT_EQ(typedLetters.Text, "4") << "letters typed are refused";
    for (const Left& l : {empty, letters, above, inside, typedLetters}) {
        const int shown = std::stoi(l.Text);
        EXPECT_EQ(l.UpDown, shown) << "up-down for " << l.Text;
        EXPECT_EQ(l.Bar, shown) << "scroll bar for " << l.Text;
        EXPECT_EQ(l.Current, shown) << "current screen for " << l.Text;
    }
}

TEST_F(Catalog, AnEmptyCatalogShowsTheOneNumberItsControlsHold) {
    Left empty{}, above{};
    int barMin = 0, barMax = 0, upMin = 0, upMax = 0;
    frmCatalog->TotalCount = 0;
    RunModal(frmCatalog, [&] {
        barMin = frmCatalog->slbScroll->Min();
        barMax = frmCatalog->slbScroll->Max();
        upMin = frmCatalog->updCurrent->Min();
        upMax = frmCatalog->updCurrent->Max();
        empty = LeaveWith("");
        above = LeaveWith("9");
        ClickOn(frmCatalog->cmdClose->Handle());
    }, timers);
    EXPECT_GE(barMax, barMin);
    EXPECT_GE(upMax, upMin);
    for (const Left& l : {empty, above}) {
        EXPECT_EQ(l.Text, "1");
        EXPECT_EQ(l.UpDown, 1);
        EXPECT_EQ(l.Bar, 1);
    }
}

TEST(CatalogComment, ClosesOnlyThroughOKWithTheCommentTyped) {
    TComponent timers{nullptr};
    frmCatalogComment->txtComments->SetText("left from before");
    bool openAfterCloseBox = false;
    std::string typed;
    LRESULT limit = 0;
    const int result = RunModal(frmCatalogComment, [&] {
        limit = SendMessageA(frmCatalogComment->txtComments->Handle(), EM_GETLIMITTEXT, 0, 0);
        for (char c : std::string("NOTE")) Press(static_cast<WORD>(c));
        Settle();
        const POINT close = FindHit(frmCatalogComment->Handle(), HTCLOSE);
        MouseTo(close);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof in[0]);
        Settle();
        openAfterCloseBox = frmCatalogComment->Showing();
        typed = frmCatalogComment->txtComments->Text();
        ClickOn(frmCatalogComment->cmdOK->Handle());
    }, timers);
    EXPECT_EQ(limit, 1024);
    EXPECT_TRUE(openAfterCloseBox) << "the close box closed the comment";
    EXPECT_EQ(typed, "note") << "the field starts empty and takes what is typed";
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(frmCatalogComment->Accepted);
}

TEST(CatalogIndex, LiesInTheCatalogFolderAndIsMadeOnce) {
    EXPECT_EQ(CatalogIndexPath, BrowserLocation + "\\index.dat");
    const std::string before = BrowserLocation;
    BrowserLocation = "C:\\";
    BuildCatalogIndexPath();
    EXPECT_EQ(CatalogIndexPath, before + "\\index.dat") << "made again";
    CatalogIndexPath.clear();
    BuildCatalogIndexPath();
    BrowserLocation = before;
    EXPECT_EQ(CatalogIndexPath, "C:\\index.dat") << "a folder ending in a backslash gets no second one";
}

}  // namespace
