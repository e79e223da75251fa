// Tree views as a user meets them: a click on a node's expand button or the
// Right key opens it, the expanding event may fill the node first, refuse
// it, or take its children away; siblings show in the order of the
// compare event; the pictures come from the tree's image list.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DialogSteps.h"
#include "Menus.h"
#include "TestSupport.h"
#include "TreeView.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

constexpr TColor Red = 0x0000FF, Green = 0x00C000, Blue = 0xFF0000;
constexpr COLORREF Ground = RGB(255, 0, 255);

std::unique_ptr<TBitmap> Swatch(TColor Color) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(16, 16);
    // The bottom-left pixel shows through; the rest is the colour.
    b->Canvas().Brush.SetColor(Color);
    b->Canvas().FillRect(RECT{0, 0, 16, 16});
    b->Canvas().SetPixel(0, 15, static_cast<TColor>(Ground));
    return b;
}

class TreeViews : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 300, 300);
        images = new TImageList(form);
        for (TColor c : {Red, Green, Blue}) images->Add(Swatch(c));
        tree = new TTreeView(form);
        tree->SetBounds(10, 10, 250, 220);
        tree->SetIndent(19);
        tree->SetImages(images);
        tree->SetParent(form);
        form->Show();
        ToFront();
        Settle();
    }
    void TearDown() override { Free(form); }

    TTreeNode* Node(TTreeNode* Parent, const std::string& Text, int Image) {
        TTreeNode* n = tree->AddChild(Parent, Text);
        n->SetImageIndex(Image);
        n->SetSelectedIndex(Image);
        return n;
    }
    // The screen rectangle of a node's row, its text part only.
    RECT TextRect(TTreeNode* Node) {
        RECT r = {};
        *reinterpret_cast<HTREEITEM*>(&r) = Node->ItemId();
        SendMessageA(tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(tree->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // The colour of the picture of the n-th row of the tree (from 0).
    COLORREF PictureInRow(int Row, int Level = 0) {
        RECT first = TextRect(tree->GetFirstNode());
        const int rowHeight = first.bottom - first.top;
        return ScreenPixel(
            POINT{first.left - 10 + Level * tree->Indent(), first.top + Row * rowHeight + rowHeight / 2});
    }
    // A click on the expand button of a top-level node.
    void ClickButton(TTreeNode* Node) {
        RECT r = TextRect(Node);
        POINT origin = {0, 0};
        ClientToScreen(tree->Handle(), &origin);
        ClickAt(POINT{origin.x + tree->Indent() / 2, (r.top + r.bottom) / 2});
        Settle();
    }

    TForm* form = nullptr;
    TImageList* images = nullptr;
    TTreeView* tree = nullptr;
};

TEST_F(TreeViews, AClickOnTheButtonFillsTheNodeThroughItsEventAndShowsTheChildren) {
    TTreeNode* root = Node(nullptr, "root", 0);
    root->Data = "C:\\";
    Node(root, "", 0);  // a placeholder: the node shows a button
    Node(nullptr, "next", 0);
    int asked = 0;
    tree->OnExpanding = [&](TComponent*, TTreeNode* n, bool& allow) {
        ++asked;
        EXPECT_EQ(n, root);
        EXPECT_TRUE(allow) << "expansion is allowed unless the event says no";
        if (n->GetFirstChild()->Data.empty()) {
            n->DeleteChildren();
            TTreeNode* child = Node(n, "child", 2);
            child->Data = n->Data + "child\\";
        }
    };
    Settle();
    ASSERT_EQ(PictureInRow(1), ColorToRGB(Red)) << "closed: the second row is the next top-level node";
    ClickButton(root);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(root->Expanded());
    ASSERT_EQ(root->Count(), 1);
    EXPECT_EQ(root->Item(0)->Data, "C:\\child\\");
    EXPECT_EQ(root->Item(0)->Parent(), root);
    EXPECT_EQ(PictureInRow(1, 1), ColorToRGB(Blue)) << "the child's blue picture shows in the second row";
    EXPECT_EQ(PictureInRow(2), ColorToRGB(Red)) << "the next node moves down a row";
}

TEST_F(TreeViews, TheRightKeyOpensTheSelectedNodeAndTheEventCanRefuseIt) {
    TTreeNode* root = Node(nullptr, "root", 0);
    Node(root, "child", 2);
    Node(nullptr, "next", 1);
    bool allow = false;
    int asked = 0;
    tree->OnExpanding = [&](TComponent*, TTreeNode*, bool& Allow) {
        ++asked;
        Allow = allow;
    };
    tree->SetSelected(root);
    tree->SetFocus();
    Press(VK_RIGHT);
    Settle();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(root->Expanded()) << "the refused node stays closed";
    EXPECT_EQ(PictureInRow(1), ColorToRGB(Green)) << "the second row still shows the next node";
    allow = true;
    Press(VK_RIGHT);
    Settle();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(PictureInRow(1, 1), ColorToRGB(Blue)) << "the child shows in the second row";
}

TEST_F(TreeViews, ANodeWhoseEventTakesItsChildrenAwayLosesThem) {
    TTreeNode* root = Node(nullptr, "root", 0);
    Node(root, "", 0);
    Node(nullptr, "next", 1);
    tree->OnExpanding = [&](TComponent*, TTreeNode* n, bool&) { n->DeleteChildren(); };
    ClickButton(root);
    EXPECT_FALSE(root->HasChildren());
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(PictureInRow(1), ColorToRGB(Green)) << "no child row opened below the node";
    EXPECT_EQ(tree->GetFirstNode()->GetNextSibling()->Text(), "next");
}

TEST_F(TreeViews, ASortedTreeKeepsSiblingsInTheOrderOfItsCompareEvent) {
    tree->Sorted = true;
    // Longest text first, whatever the letters.
    tree->OnCompare = [](TComponent*, TTreeNode* a, TTreeNode* b, int& compare) {
        compare = static_cast<int>(b->Text().size()) - static_cast<int>(a->Text().size());
    };
    Node(nullptr, "b", 0);
    Node(nullptr, "ccc", 2);
    TTreeNode* middle = Node(nullptr, "aa", 1);
    Settle();
    std::vector<std::string> order;
    for (TTreeNode* n = tree->GetFirstNode(); n; n = n->GetNextSibling()) order.push_back(n->Text());
    EXPECT_EQ(order, (std::vector<std::string>{"ccc", "aa", "b"}));
    EXPECT_EQ(PictureInRow(0), ColorToRGB(Blue));
    EXPECT_EQ(PictureInRow(1), ColorToRGB(Green));
    EXPECT_EQ(PictureInRow(2), ColorToRGB(Red));
    middle->SetText("aaaa");  // a new text takes its place anew
    Settle();
    EXPECT_EQ(tree->GetFirstNode()->Text(), "aaaa");
    EXPECT_EQ(PictureInRow(0), ColorToRGB(Green));
}

TEST_F(TreeViews, ALevelFilledByTheExpandingEventIsSortedOnceWhenTheEventEnds) {
    tree->Sorted = true;
    int compared = 0;
    tree->OnCompare = [&](TComponent*, TTreeNode* a, TTreeNode* b, int& compare) {
        ++compared;
        compare = lstrcmpA(a->Text().c_str(), b->Text().c_str());
    };
    TTreeNode* root = Node(nullptr, "root", 0);
    TTreeNode* placeholder = Node(root, "", 0);
    Node(nullptr, "zz next", 1);
    // Children added last first, as a folder may list its entries, and the
    // placeholder named last of all, as the folder browser reuses it.
    constexpr int kChildren = 64;
    tree->OnExpanding = [&](TComponent*, TTreeNode* n, bool&) {
        compared = 0;
        for (int i = kChildren - 1; i > 0; --i) Node(n, "child " + std::to_string(100 + i), 2);
        placeholder->SetText("child 100");
    };
    ClickButton(root);
    std::vector<std::string> order, expected;
    for (TTreeNode* n = root->GetFirstChild(); n; n = n->GetNextSibling()) order.push_back(n->Text());
    for (int i = 0; i < kChildren; ++i) expected.push_back("child " + std::to_string(100 + i));
    EXPECT_EQ(order, expected);
    EXPECT_EQ(PictureInRow(1, 1), ColorToRGB(Red)) << "the renamed placeholder shows first";
    EXPECT_EQ(PictureInRow(2, 1), ColorToRGB(Blue));
    // One sort of 64 nodes asks for about 64 x 6 comparisons; a sort after
    // every new node or text asks for tens of thousands.
    EXPECT_LE(compared, 2 * kChildren * 6) << "the level is sorted once, not after each node";
}

// Late nodes: a level of hundreds costs the set-up of the few nodes the
// tree shows; a node is set up when the user scrolls it into view or the
// program reads it, and shows its pictures and button as set up.
TEST_F(TreeViews, LateNodesAreSetUpAsTheyComeIntoViewOrAreRead) {
    constexpr int kChildren = 301;
    std::vector<std::string> setUp;
    tree->OnSetUpNode = [&](TComponent*, TTreeNode* n) {
        setUp.push_back(n->Text());
        const int i = std::stoi(n->Text().substr(6));  // "child 123"
        n->SetImageIndex(i % 3);
        n->SetSelectedIndex(i % 3);
        if (i % 2 == 0) tree->AddChild(n, "below");
    };
    TTreeNode* root = Node(nullptr, "root", 0);
    Node(root, "", 0);
    std::vector<TTreeNode*> late;
    tree->OnExpanding = [&](TComponent*, TTreeNode* n, bool&) {
        if (n != root) return;
        n->DeleteChildren();
        for (int i = 0; i < kChildren; ++i) late.push_back(tree->AddLateChild(n, "child " + std::to_string(100 + i)));
    };
    ClickButton(root);
    ASSERT_EQ(late.size(), static_cast<size_t>(kChildren));
    const int inView = static_cast<int>(TreeView_GetVisibleCount(tree->Handle()));
    EXPECT_GE(static_cast<int>(setUp.size()), inView - 1) << "the nodes in view are set up";
    EXPECT_LE(static_cast<int>(setUp.size()), inView + 1) << "and no more";
    EXPECT_EQ(PictureInRow(1, 1), ColorToRGB(Green)) << "child 100 shows picture 1";
    EXPECT_EQ(PictureInRow(2, 1), ColorToRGB(Blue)) << "child 101 shows picture 2";
    EXPECT_TRUE(late[0]->HasChildren());
    EXPECT_FALSE(late[1]->HasChildren()) << "a node its set-up gave no children";

    // The program reads a node far out of view: it is set up then, once.
    const size_t before = setUp.size();
    EXPECT_EQ(late[200]->ImageIndex(), 300 % 3) << "child 300";
    EXPECT_EQ(late[200]->Count(), 1);
    EXPECT_EQ(setUp.size(), before + 1);

    // The user goes to the last node: it comes into view set up.
    ClickAt(CentreOf(TextRect(late[0])));
    Press(VK_END);
    Settle();
    EXPECT_EQ(tree->Selected(), late.back());
    EXPECT_NE(std::find(setUp.begin(), setUp.end(), late.back()->Text()), setUp.end());
    RECT last = TextRect(late.back());
    EXPECT_EQ(ScreenPixel(POINT{last.left - 10, (last.top + last.bottom) / 2}), ColorToRGB(Green))
        << "child 400 shows its selected picture 1";
    // Its button: Right opens it, as a node with a child.
    Press(VK_RIGHT);
    Settle();
    EXPECT_TRUE(late.back()->Expanded()) << "child 400 has a child of its set-up";
}

TEST_F(TreeViews, WithoutACompareEventSiblingsSortByTextIgnoringCase) {
    tree->Sorted = true;
    Node(nullptr, "beta", 0);
    Node(nullptr, "Alpha", 1);
    Node(nullptr, "gamma", 2);
    std::vector<std::string> order;
    for (TTreeNode* n = tree->GetFirstNode(); n; n = n->GetNextSibling()) order.push_back(n->Text());
    EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
}

TEST_F(TreeViews, AClickOnANodeSelectsIt) {
    Node(nullptr, "one", 0);
    TTreeNode* two = Node(nullptr, "two", 1);
    ClickAt(CentreOf(TextRect(two)));
    Settle();
    EXPECT_EQ(tree->Selected(), two);
    tree->Clear();
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(tree->GetFirstNode(), nullptr);
}

}  // namespace
