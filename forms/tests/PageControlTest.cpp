// Page controls as a user meets them: the first page shows first, a click on
// a tab or an arrow key on the tabs shows that tab's page and hides the
// other, and the focus passes by the controls of hidden pages.
#include <gtest/gtest.h>

#include "PageControl.h"
#include "DialogSteps.h"
#include "TestSupport.h"

#include <commctrl.h>

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

constexpr TColor Red = 0x0000FF;

class PageControls : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 400, 300);
        pages = new TPageControl(form);
        pages->SetBounds(10, 10, 300, 200);
        pages->SetParent(form);
        pages->OnChange = [this](TComponent*) { ++changes; };
        first = Page("First");
        second = Page("Second");
        button = new TButton(form);
        button->SetCaption("One");
        button->SetBounds(10, 10, 75, 25);
        button->SetParent(first);
        panel = new TPanel(form);
        panel->BevelOuter = bvNone;
        panel->SetColor(Red);
        panel->SetBounds(10, 10, 100, 60);
        panel->SetParent(second);
        edit = new TEdit(form);
        edit->SetBounds(10, 100, 75, 21);
        edit->SetParent(second);
        form->Show();
        ToFront();
        Settle();
    }
    void TearDown() override { Free(form); }

    TTabSheet* Page(const char* Caption) {
        auto* page = new TTabSheet(form);
        page->SetCaption(Caption);
        page->SetParent(pages);
        return page;
    }
    POINT TabCentre(int Index) {
        RECT r = {};
        SendMessageA(pages->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(pages->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    POINT PanelCentre() { return CentreOf(panel->Handle()); }

    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    TTabSheet *first = nullptr, *second = nullptr;
    TButton* button = nullptr;
    TPanel* panel = nullptr;
    TEdit* edit = nullptr;
    int changes = 0;
};

TEST_F(PageControls, TheFirstPageShowsFirstInTheDisplayArea) {
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), first);
    EXPECT_TRUE(IsWindowVisible(button->Handle()));
    EXPECT_FALSE(IsWindowVisible(panel->Handle()));
    EXPECT_NE(ScreenPixel(PanelCentre()), ColorToRGB(Red)) << "the second page's panel is hidden";
    char text[32] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(pages->Handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Second") << "the page's caption is its tab's text";
    RECT tab, page;
    GetWindowRect(pages->Handle(), &tab);
    GetWindowRect(first->Handle(), &page);
    EXPECT_GT(page.top, tab.top + 10) << "the page lies below the tabs";
    EXPECT_TRUE(page.left > tab.left && page.right < tab.right && page.bottom < tab.bottom);
}

TEST_F(PageControls, AClickOnATabShowsItsPage) {
    ClickAt(TabCentre(1));
    Settle();
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ScreenPixel(PanelCentre()), ColorToRGB(Red)) << "the second page's panel shows";
    EXPECT_FALSE(IsWindowVisible(button->Handle()));
    ClickAt(TabCentre(0));
    Settle();
    EXPECT_EQ(pages->ActivePage(), first);
    EXPECT_EQ(changes, 2);
    EXPECT_NE(ScreenPixel(PanelCentre()), ColorToRGB(Red));
}

TEST_F(PageControls, TheArrowKeysOnTheTabsChangeThePage) {
    pages->SetFocus();
    Press(VK_RIGHT);
    Settle();
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ScreenPixel(PanelCentre()), ColorToRGB(Red));
    Press(VK_LEFT);
    Settle();
    EXPECT_EQ(pages->ActivePage(), first);
}

TEST_F(PageControls, TheFocusPassesByTheControlsOfHiddenPages) {
    pages->SetFocus();
    Press(VK_TAB);
    Settle();
    EXPECT_EQ(GetFocus(), button->Handle()) << "from the tabs to the first page's button";
    Press(VK_TAB);
    Settle();
    EXPECT_EQ(GetFocus(), pages->Handle()) << "the hidden page's edit is passed by";
}

TEST_F(PageControls, TheProgramsChoiceShowsThePageWithoutAChangeEventAndTakesTheFocusAlong) {
    button->SetFocus();
    Settle();
    pages->SetActivePage(second);
    Settle();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1) << "its tab is selected";
    EXPECT_EQ(ScreenPixel(PanelCentre()), ColorToRGB(Red));
    EXPECT_EQ(GetFocus(), pages->Handle()) << "the focus left the hidden button for the tabs";
}

}  // namespace
