// Tree views: the system's tree control, read-only, with lines and expand
// buttons. Each node carries a text, a string of data of the program's own,
// and the pictures of its closed and selected state from the tree's image
// list. Nodes are filled as the user opens them: a node may be refused its
// expansion, and a sorted tree keeps siblings in the order its compare
// event gives. A node may also be set up late, its pictures and children
// given only when the tree first shows it or the program first reads them:
// a level of thousands then costs the set-up of the few nodes in view.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "Controls.h"

namespace forms {

class TImageList;
class TTreeView;

class TTreeNode {
public:
    explicit TTreeNode(TTreeView* Owner) : FOwner(Owner) {}
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    HTREEITEM ItemId() const { return FItem; }
    TTreeView* TreeView() const { return FOwner; }
    const std::string& Text() const { return FText; }
    // In a sorted tree, the node takes its place among its siblings anew.
    void SetText(const std::string& Value);
    // The program's own data: empty until set.
    std::string Data;
    int ImageIndex() const;
    void SetImageIndex(int Value);
    int SelectedIndex() const;
    void SetSelectedIndex(int Value);

    TTreeNode* Parent() const;
    TTreeNode* GetFirstChild() const;
    TTreeNode* GetNextSibling() const;
    int Count() const;
    TTreeNode* Item(int Index) const;
    bool HasChildren() const { return GetFirstChild() != nullptr; }
    bool Expanded() const;

    // Opens the node as a click on its button would, the expanding event
    // first (which may refuse); Recurse opens the nodes below as well.
    void Expand(bool Recurse);
    void Collapse();
    // Removes every node below this one.
    void DeleteChildren();
    // Removes this node and those below it; the node is gone afterwards.
    void Delete();

private:
    friend class TTreeView;
    void SetItem(UINT Mask, const std::function<void(TVITEMA&)>& Fill);
    // Gives a node added by AddLateChild its set-up, once.
    void EnsureSetUp() const;
    // Tells the tree of new pictures, or lets it ask for them anew.
    void ImagesChanged(UINT Mask, const std::function<void(TVITEMA&)>& Fill);
    TTreeView* FOwner;
    // Added by AddLateChild and not set up yet.
    bool FLate = false;
    // Inside its set-up event.
    bool FSettingUp = false;
    // The tree asks for the node's pictures (a late node's) when it draws it.
    bool FAsked = false;
    HTREEITEM FItem = nullptr;
    std::string FText;
    int FImageIndex = 0;
    int FSelectedIndex = 0;
};

// Asked before a node opens; AllowExpansion false keeps it closed.
using TTVExpandingEvent = std::function<void(TComponent* Sender, TTreeNode* Node, bool& AllowExpansion)>;
// Gives a node added by AddLateChild its pictures and children.
using TTVSetUpNodeEvent = std::function<void(TComponent* Sender, TTreeNode* Node)>;
// Orders two siblings of a sorted tree: Compare below 0 puts Node1 first.
using TTVCompareEvent = std::function<void(TComponent* Sender, TTreeNode* Node1, TTreeNode* Node2, int& Compare)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    // A new last child of Parent, or a new top-level node for nullptr.
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
    // A new last child that OnSetUpNode sets up later: just before the tree
    // first draws it, before the user opens it, or when the program first
    // reads its pictures or children. Until then it shows an expand button.
    TTreeNode* AddLateChild(TTreeNode* Parent, const std::string& Text);
    // Removes every node.
    void Clear();
    TTreeNode* GetFirstNode() const;
    // The node the user chose, or nullptr.
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* Node);
    // The node with an item of the system's tree, or nullptr.
    TTreeNode* NodeOf(HTREEITEM Item) const;

    // The pictures of the nodes; the list stays the caller's.
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    // Siblings are kept in order: by OnCompare when it is bound, otherwise
    // by their texts without regard to case.
    // A level that the expanding event fills is put in order once, when
    // the event has ended.
    bool Sorted = false;
    int Indent() const;
    void SetIndent(int Value);
    bool Focusable() const override { return true; }

    TTVExpandingEvent OnExpanding;
    TTVCompareEvent OnCompare;
    TTVSetUpNodeEvent OnSetUpNode;

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    LRESULT NotifyMessage(NMHDR& Header) override;

private:
    friend class TTreeNode;
    // Whether the node may open: the expanding event, when it has children.
    bool CanExpand(TTreeNode* Node);
    // Between BeginUpdate and the matching EndUpdate, new nodes and new texts
    // of a sorted tree wait, and each level they touched is put in order
    // once at the end: filling a level node by node costs one sort, not one
    // per node.
    void BeginUpdate() { ++FUpdating; }
    void EndUpdate();
    // Brings the children of Parent (nullptr: the top level) in order, at
    // once or, inside an update bracket, at its end.
    void SortChildren(TTreeNode* Parent);
    void SortLevel(HTREEITEM Parent);
    TTreeNode* InsertNode(TTreeNode* Parent, const std::string& Text, bool Late);
    // Sets up the late nodes that the next paint will show.
    void SetUpNodesInView();
    // Forgets the node of Item and the nodes below it.
    void ForgetNodes(HTREEITEM Item);
    HTREEITEM FirstChildItem(HTREEITEM Item) const;
    static int CALLBACK CompareItems(LPARAM A, LPARAM B, LPARAM Tree);

    std::map<HTREEITEM, std::unique_ptr<TTreeNode>> FNodes;
    TImageList* FImages = nullptr;
    int FIndent = 0;
    // While the program opens a node whose event has already allowed it.
    bool FExpandingByProgram = false;
    int FUpdating = 0;
    // The levels (their parent items, TVI_ROOT for the top) that wait for
    // the end of the update bracket to be sorted.
    std::set<HTREEITEM> FUnsorted;
};

}  // namespace forms
