// The edit pop-up menu that every text field offers: where it opens, which
// items it enables, and what they do to the field.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "ZvCom.h"
#include "ZvComProbe.h"

using namespace forms;
using namespace testsupport;
using namespace zvcomprobe;

namespace {

// Menu positions: Undo, -, Cut, Copy, Paste, Delete, -, Select All.
enum { kUndo = 0, kCut = 2, kCopy = 3, kPaste = 4, kDelete = 5, kSelectAll = 7 };

class EditMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProbe("ZvCom Edit Menu Probe", "ZvEditProbe"));
        form = new TForm(Application);
        form->SetBounds(200, 200, 300, 120);
        edit = new TEdit(form);
        edit->SetBounds(20, 20, 200, 24);
        edit->SetParent(form);
        edit->OnContextPopup = [this](TComponent*, POINT pos, bool& handled) {
            ZvComEditMenu(edit, pos.x, pos.y);
            handled = true;
        };
        form->Show();
        edit->SetFocus();
    }
    void TearDown() override {
        Free(form);
        ZvComDone();
    }

    // Opens the menu at (X, Y) and reads it; Then chooses with keys.
    MenuOnScreen Open(int X, int Y, const std::function<void()>& Then = [] { Press(VK_ESCAPE); }) {
        MenuOnScreen seen;
        Later(form, [&] {
            seen = ReadMenuOnScreen();
            Then();
        });
        ZvComEditMenu(edit, X, Y);
        return seen;
    }

    void SetText(const char* Text, int SelStart, int SelEnd) {
        SetWindowTextA(edit->Handle(), Text);
        SendMessageA(edit->Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageA(edit->Handle(), EM_SETSEL, SelStart, SelEnd);
    }

    static void ClipboardText(const char* Text) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        if (Text) {
            HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, strlen(Text) + 1);
            strcpy(static_cast<char*>(GlobalLock(g)), Text);
            GlobalUnlock(g);
            SetClipboardData(CF_TEXT, g);
        }
        CloseClipboard();
    }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
};

TEST_F(EditMenu, FromTheKeyboardItOpensAtTheFieldsCentre) {
    RECT r;
    GetClientRect(edit->Handle(), &r);
    POINT centre = {r.right / 2, r.bottom / 2};
    ClientToScreen(edit->Handle(), &centre);
    const MenuOnScreen m = Open(-1, -1);
    ASSERT_EQ(m.Count, 8) << "the menu did not open";
    EXPECT_EQ(m.Rect.left, centre.x);
    EXPECT_EQ(m.Rect.top, centre.y);

    // And the key itself reaches the field's handler, not the system's menu.
    bool asked = false;
    edit->OnContextPopup = [&](TComponent*, POINT pos, bool& handled) {
        asked = pos.x == -1 && pos.y == -1;
        handled = true;
    };
    Press(VK_APPS);
    EXPECT_TRUE(PumpUntil([&] { return asked; })) << "the context-menu key did not come as (-1, -1)";
}

TEST_F(EditMenu, ItemsFollowTheFieldAndTheClipboard) {
    SetText("", 0, 0);
    ClipboardText(nullptr);
    MenuOnScreen m = Open(5, 5);
    ASSERT_EQ(m.Count, 8);
    EXPECT_FALSE(m.Enabled[kUndo]);
    EXPECT_FALSE(m.Enabled[kCut]);
    EXPECT_FALSE(m.Enabled[kCopy]);
    EXPECT_FALSE(m.Enabled[kPaste]) << "the clipboard is empty";
    EXPECT_FALSE(m.Enabled[kDelete]);
    EXPECT_FALSE(m.Enabled[kSelectAll]) << "an empty field: 0 < 0 is false";

    SetText("hello", 0, 5);
    ClipboardText("pasted");
    m = Open(5, 5);
    EXPECT_TRUE(m.Enabled[kCut]);
    EXPECT_TRUE(m.Enabled[kCopy]);
    EXPECT_TRUE(m.Enabled[kPaste]);
    EXPECT_TRUE(m.Enabled[kDelete]);
    EXPECT_FALSE(m.Enabled[kSelectAll]) << "everything is selected";

    SetText("hello", 1, 3);
    m = Open(5, 5);
    EXPECT_TRUE(m.Enabled[kSelectAll]);
}

TEST_F(EditMenu, TheChosenItemActsOnTheField) {
    SetText("hello world", 0, 5);
    ClipboardText(nullptr);
    Open(5, 5, [] { Press('C'); });  // Copy, by its underlined letter
    PumpFor(50);
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    OpenClipboard(nullptr);
    const std::string copied = static_cast<const char*>(GetClipboardData(CF_TEXT));
    CloseClipboard();
    EXPECT_EQ(copied, "hello");

    SendMessageA(edit->Handle(), EM_SETSEL, 0, 0);
    Open(5, 5, [] { Press('A'); });  // Select All
    PumpFor(50);
    DWORD start = 9, end = 9;
    SendMessageA(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 11u);

    Open(5, 5, [] { Press('D'); });  // Delete
    PumpFor(50);
    EXPECT_EQ(edit->Text(), "");
    Open(5, 5, [] { Press('U'); });  // Undo
    PumpFor(50);
    EXPECT_EQ(edit->Text(), "hello world");
}

}  // namespace
