// Document windows in a frame: made inside it, counted in their order with
// the active one first, asked before they close and freed by caFree; the
// frame's key preview; scroll bars moved by the user and the program.
#include <gtest/gtest.h>

#include "Forms.h"
#include "ScrollBar.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

class Frame : public TForm {
public:
    explicit Frame(TComponent* AOwner) : TForm(AOwner) {
        Describe({.Name = "frame", .Left = 60, .Top = 60, .ClientWidth = 500, .ClientHeight = 360,
                  .FormStyle = fsMDIForm, .KeyPreview = true});
        EndDescription();
    }
};

class Document : public TForm {
public:
    explicit Document(TComponent* AOwner) : TForm(AOwner, fsMDIChild) {
        Describe({.Name = "", .Caption = "doc", .ClientWidth = 150, .ClientHeight = 100});
        EndDescription();
    }
};

Frame* frame = nullptr;

class Documents : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Application->CreateForm(frame);
        frame->Show();
    }
    void TearDown() override {
        while (TForm* d = frame->MDIChildren(0)) Free(d);
    }
    Document* Open(const char* Caption) {
        auto* d = new Document(Application);
        d->SetCaption(Caption);
        d->Show();
        return d;
    }
};

TEST_F(Documents, LiveInTheFrameWithTheActiveOneFirst) {
    Document* a = Open("a");
    Document* b = Open("b");
    EXPECT_EQ(GetParent(a->Handle()), frame->ClientHandle());
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    EXPECT_EQ(frame->MDIChildren(0), b);
    EXPECT_EQ(frame->MDIChildren(1), a);
    EXPECT_EQ(frame->MDIChildren(2), nullptr);
    int activations = 0;
    a->OnActivate = [&](TComponent*) { ++activations; };
    SendMessageA(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->Handle()), 0);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(frame->MDIChildren(0), a);
}

TEST_F(Documents, AreAskedBeforeTheyCloseAndFreedWhenTheyAskForIt) {
    Document* d = Open("asked");
    bool allow = false;
    int closes = 0;
    d->OnCloseQuery = [&](TComponent*, bool& CanClose) { CanClose = allow; };
    d->OnClose = [&](TComponent*, TCloseAction& Action) {
        ++closes;
        Action = caFree;
    };
    d->Close();
    PumpFor(50);
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(frame->MDIChildCount(), 1);
    allow = true;
    d->Close();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(PumpUntil([] { return frame->MDIChildCount() == 0; })) << "caFree frees the document";
}

TEST_F(Documents, TheNextOneBecomesActiveAndTakesTheKeysWhenTheActiveOneCloses) {
    Document* a = Open("a");
    Document* b = Open("b");
    Document* c = Open("c");
    ASSERT_EQ(frame->ActiveMDIChild(), c);
    int activations = 0;
    b->OnActivate = [&](TComponent*) { ++activations; };
    c->OnClose = [](TComponent*, TCloseAction& Action) { Action = caFree; };
    c->Close();
    ASSERT_TRUE(PumpUntil([] { return frame->MDIChildCount() == 2; })) << "caFree frees the document";
    EXPECT_EQ(frame->ActiveMDIChild(), b) << "the next document is active";
    EXPECT_EQ(activations, 1) << "and told so";
    EXPECT_EQ(GetFocus(), b->Handle()) << "it has the keyboard";
    std::string seen;
    frame->OnKeyPress = [&](TComponent*, char& Key) { seen += Key; };
    Press('K');
    EXPECT_TRUE(PumpUntil([&] { return seen == "k"; })) << "the keys reach the frame through it: \"" << seen << "\"";
    frame->OnKeyPress = nullptr;

    // A document that is not the active one goes without taking the
    // activation from the active one.
    Free(a);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    Free(b);
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr) << "the last one leaves none";
}

TEST_F(Documents, TheFrameSeesTheKeysTypedInThemFirst) {
    Document* d = Open("typed");
    std::string seen;
    frame->OnKeyPress = [&](TComponent*, char& Key) {
        seen += Key;
        if (Key == 'x') Key = 0;
    };
    auto* edit = new TEdit(d);
    edit->SetBounds(4, 4, 100, 22);
    edit->SetParent(d);
    edit->SetFocus();
    for (WORD k : {'A', 'X', 'B'}) Press(k);
    EXPECT_TRUE(PumpUntil([&] { return seen.size() == 3; })) << "seen \"" << seen << "\"";
    EXPECT_EQ(seen, "axb");
    EXPECT_EQ(edit->Text(), "ab") << "a key set to 0 is swallowed";
    frame->OnKeyPress = nullptr;
}

TEST_F(Documents, ScrollBarsKeepTheirPositionWithinTheRangeAndThePage) {
    Document* d = Open("scrolled");
    auto* bar = new TScrollBar(d);
    bar->Kind = sbVertical;
    bar->SmallChange = 5;
    bar->SetBounds(120, 0, 17, 90);
    bar->SetParent(d);
    bar->SetParams(0, 0, 200, 51);
    int changes = 0, scrolls = 0;
    bar->OnChange = [&](TComponent*) { ++changes; };
    bar->OnScroll = [&](TComponent*, int, int&) { ++scrolls; };
    bar->SetPosition(500);
    EXPECT_EQ(bar->Position(), 150) << "up to Max - PageSize + 1";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(scrolls, 0) << "the program's change is no scroll of the user's";

    bar->SetPosition(0);
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    ClickOn(bar->Handle());  // in the page below the thumb? the arrow is what counts next
    PumpFor(200);
    const int afterPage = bar->Position();
    EXPECT_GT(afterPage, 0);
    ToFront();
    MouseTo(POINT{(r.left + r.right) / 2, r.bottom - 4});  // the down arrow
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    EXPECT_TRUE(PumpUntil([&] { return bar->Position() == std::min(150, afterPage + 5); }))
        << "an arrow moves by SmallChange: " << bar->Position();
    EXPECT_GE(scrolls, 2);
}

// The messages that make a scroll bar draw itself at once, counted.
int barDrawings = 0;
WNDPROC barProc = nullptr;
LRESULT CALLBACK CountingBarProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == SBM_SETSCROLLINFO || Msg == WM_ENABLE || Msg == WM_CANCELMODE) ++barDrawings;
    return CallWindowProcA(barProc, Wnd, Msg, W, L);
}

TEST_F(Documents, ScrollBarsLaidOutAgainAsTheyAreAreNotSetAgain) {
    Document* d = Open("laid out");
    auto* bar = new TScrollBar(d);
    bar->SetBounds(0, 80, 120, 17);
    bar->SetParent(d);
    barProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingBarProc)));
    barDrawings = 0;
    EXPECT_EQ(bar->ScrollPicture(true, 300, 119), 0);
    EXPECT_EQ(barDrawings, 1) << "a new range is set once";
    bar->SetPosition(60);
    barDrawings = 0;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bar->ScrollPicture(true, 300, 119), -60);
    EXPECT_EQ(barDrawings, 0) << "the same range, page and position again";
    SCROLLINFO si = {sizeof si, SIF_ALL};
    GetScrollInfo(bar->Handle(), SB_CTL, &si);
    EXPECT_EQ(si.nMax, 300);
    EXPECT_EQ(si.nPage, 120u);
    EXPECT_EQ(si.nPos, 60);
    EXPECT_EQ(bar->ScrollPicture(false, 30, 119), 0);
    EXPECT_FALSE(IsWindowEnabled(bar->Handle()));
    barDrawings = 0;
    for (int i = 0; i < 3; ++i) bar->ScrollPicture(false, 30, 119);
    EXPECT_EQ(barDrawings, 0) << "a bar disabled at 0 stays so untouched";
    SetWindowLongPtrA(bar->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(barProc));
}

TEST(BusyScreen, ShowsTheHourGlassOverTheWindowsAndThenTheirOwnCursors) {
    auto* form = new TForm(Application);
    form->SetBounds(100, 100, 200, 150);
    auto* panel = new TPanel(form);
    panel->SetBounds(0, 0, 200, 150);
    panel->SetParent(form);
    const HCURSOR own = LoadCursor(nullptr, IDC_CROSS);
    Screen.SetCursor(21, own);
    panel->Cursor = 21;
    form->Show();
    MouseTo(CentreOf(panel->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == own; })) << "the control's slot shows";
    Screen.SetBusy(true);
    SendMessageA(panel->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    Screen.SetBusy(false);
    SendMessageA(panel->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), own);
    Free(form);
}

}  // namespace
