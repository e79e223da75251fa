#include "TreeView.h"

#include "Menus.h"
#include "Module.h"

namespace forms {

// ---- nodes -----------------------------------------------------------------

void TTreeNode::SetItem(UINT Mask, const std::function<void(TVITEMA&)>& Fill) {
    TVITEMA item = {};
    item.mask = Mask;
    item.hItem = FItem;
    Fill(item);
    SendMessageA(FOwner->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const std::string& Value) {
    FText = Value;
    SetItem(TVIF_TEXT, [this](TVITEMA& item) { item.pszText = FText.data(); });
    if (FOwner->Sorted) FOwner->SortChildren(Parent());
}

void TTreeNode::EnsureSetUp() const {
    if (!FLate) return;
    auto* node = const_cast<TTreeNode*>(this);
    node->FLate = false;  // before the event, which reads the node
    node->FSettingUp = true;
    try {
        if (FOwner->OnSetUpNode) FOwner->OnSetUpNode(FOwner, node);
    } catch (...) {
        node->FSettingUp = false;
        throw;
    }
    node->FSettingUp = false;
}

void TTreeNode::ImagesChanged(UINT Mask, const std::function<void(TVITEMA&)>& Fill) {
    if (!FAsked) {
        SetItem(Mask, Fill);
        return;
    }
    // The tree asks for the pictures as it draws the node; a node being set
    // up has not been drawn yet.
    if (FSettingUp) return;
    RECT row = {};
    if (TreeView_GetItemRect(FOwner->Handle(), FItem, &row, FALSE)) InvalidateRect(FOwner->Handle(), &row, TRUE);
}

int TTreeNode::ImageIndex() const {
    EnsureSetUp();
    return FImageIndex;
}

int TTreeNode::SelectedIndex() const {
    EnsureSetUp();
    return FSelectedIndex;
}

void TTreeNode::SetImageIndex(int Value) {
    FImageIndex = Value;
    ImagesChanged(TVIF_IMAGE, [Value](TVITEMA& item) { item.iImage = Value; });
}

void TTreeNode::SetSelectedIndex(int Value) {
    FSelectedIndex = Value;
    ImagesChanged(TVIF_SELECTEDIMAGE, [Value](TVITEMA& item) { item.iSelectedImage = Value; });
}

TTreeNode* TTreeNode::Parent() const {
    return FOwner->NodeOf(TreeView_GetParent(FOwner->Handle(), FItem));
}

TTreeNode* TTreeNode::GetFirstChild() const {
    EnsureSetUp();
    return FOwner->NodeOf(FOwner->FirstChildItem(FItem));
}

TTreeNode* TTreeNode::GetNextSibling() const {
    return FOwner->NodeOf(TreeView_GetNextSibling(FOwner->Handle(), FItem));
}

int TTreeNode::Count() const {
    int n = 0;
    for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) ++n;
    return n;
}

TTreeNode* TTreeNode::Item(int Index) const {
    TTreeNode* child = GetFirstChild();
    for (int i = 0; child && i < Index; ++i) child = child->GetNextSibling();
    return Index >= 0 ? child : nullptr;
}

bool TTreeNode::Expanded() const {
    return (TreeView_GetItemState(FOwner->Handle(), FItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand(bool Recurse) {
    if (!HasChildren() || !FOwner->CanExpand(this)) return;
    // The event has had its say: the system's own notice of this opening
    // must not ask it again.
    FOwner->FExpandingByProgram = true;
    TreeView_Expand(FOwner->Handle(), FItem, TVE_EXPAND);
    FOwner->FExpandingByProgram = false;
    if (Recurse)
        for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) child->Expand(true);
}

void TTreeNode::Collapse() {
    TreeView_Expand(FOwner->Handle(), FItem, TVE_COLLAPSE);
}

void TTreeNode::DeleteChildren() {
    while (TTreeNode* child = GetFirstChild()) child->Delete();
}

void TTreeNode::Delete() {
    TTreeView* tree = FOwner;
    const HTREEITEM item = FItem;
    tree->ForgetNodes(tree->FirstChildItem(item));
    TreeView_DeleteItem(tree->Handle(), item);
    tree->FNodes.erase(item);  // this node is gone now
    tree->FUnsorted.erase(item);
}

// ---- the tree --------------------------------------------------------------

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner) {
    UseCommonControls(ICC_TREEVIEW_CLASSES);
    TabStop = true;
}

TTreeView::~TTreeView() = default;

void TTreeView::GetCreateParams(CreateParams& Params) {
    Params.ClassName = WC_TREEVIEWA;
    Params.Style |= WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::HandleCreated() {
    if (FImages) SetImages(FImages);
    if (FIndent > 0) SetIndent(FIndent);
}

void TTreeView::SetImages(TImageList* Value) {
    FImages = Value;
    if (Handle())
        TreeView_SetImageList(Handle(), FImages ? FImages->SystemList() : nullptr, TVSIL_NORMAL);
}

int TTreeView::Indent() const {
    return Handle() ? static_cast<int>(TreeView_GetIndent(Handle())) : FIndent;
}

void TTreeView::SetIndent(int Value) {
    FIndent = Value;
    if (Handle()) TreeView_SetIndent(Handle(), Value);
}

TTreeNode* TTreeView::AddChild(TTreeNode* Parent, const std::string& Text) {
    return InsertNode(Parent, Text, false);
}

TTreeNode* TTreeView::AddLateChild(TTreeNode* Parent, const std::string& Text) {
    return InsertNode(Parent, Text, true);
}

TTreeNode* TTreeView::InsertNode(TTreeNode* Parent, const std::string& Text, bool Late) {
    if (!Handle()) throw Exception("The tree " + Name() + " has no window for its nodes");
    auto node = std::make_unique<TTreeNode>(this);
    node->FText = Text;
    TVINSERTSTRUCTA insert = {};
    insert.hParent = Parent ? Parent->FItem : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = node->FText.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
    if (Late) {
        // Whether a late node has children, the tree asks whenever it draws
        // its button or is about to open it: yes until it is set up, the
        // truth afterwards. Its pictures it asks as it draws them: telling
        // the tree a node's picture costs a look at all the nodes in view
        // (under Wine), thousands in a big level.
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = I_CHILDRENCALLBACK;
        insert.item.iImage = I_IMAGECALLBACK;
        insert.item.iSelectedImage = I_IMAGECALLBACK;
        node->FLate = true;
        node->FAsked = true;
    }
    // Straight to the tree's own procedure: a level is filled node by node,
    // and a sent message costs far more than the insertion (under Wine
    // about 30 microseconds).
    const HTREEITEM item =
        reinterpret_cast<HTREEITEM>(DefaultHandler(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!item) throw Exception("The tree " + Name() + " refused a node");
    node->FItem = item;
    TTreeNode* added = node.get();
    FNodes[item] = std::move(node);
    if (Sorted) SortChildren(Parent);
    return added;
}

void TTreeView::Clear() {
    if (Handle()) TreeView_DeleteAllItems(Handle());
    FNodes.clear();
    FUnsorted.clear();
}

TTreeNode* TTreeView::NodeOf(HTREEITEM Item) const {
    const auto it = Item ? FNodes.find(Item) : FNodes.end();
    return it == FNodes.end() ? nullptr : it->second.get();
}

HTREEITEM TTreeView::FirstChildItem(HTREEITEM Item) const {
    return TreeView_GetChild(Handle(), Item);
}

TTreeNode* TTreeView::GetFirstNode() const {
    return Handle() ? NodeOf(TreeView_GetRoot(Handle())) : nullptr;
}

TTreeNode* TTreeView::Selected() const {
    return Handle() ? NodeOf(TreeView_GetSelection(Handle())) : nullptr;
}

void TTreeView::SetSelected(TTreeNode* Node) {
    TreeView_SelectItem(Handle(), Node ? Node->FItem : nullptr);
}

void TTreeView::ForgetNodes(HTREEITEM Item) {
    for (HTREEITEM child = Item; child; child = TreeView_GetNextSibling(Handle(), child)) {
        ForgetNodes(FirstChildItem(child));
        FNodes.erase(child);
        FUnsorted.erase(child);
    }
}

bool TTreeView::CanExpand(TTreeNode* Node) {
    bool allow = true;
    if (!Node || !Node->HasChildren() || !OnExpanding) return allow;
    // The event fills the node's level: sorted once, when it has ended.
    BeginUpdate();
    try {
        OnExpanding(this, Node, allow);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return allow;
}

int CALLBACK TTreeView::CompareItems(LPARAM A, LPARAM B, LPARAM Tree) {
    auto* tree = reinterpret_cast<TTreeView*>(Tree);
    auto* a = reinterpret_cast<TTreeNode*>(A);
    auto* b = reinterpret_cast<TTreeNode*>(B);
    int compare = 0;
    SafeCall([&] {
        if (tree->OnCompare)
            tree->OnCompare(tree, a, b, compare);
        else
            compare = lstrcmpiA(a->Text().c_str(), b->Text().c_str());
    });
    return compare;
}

void TTreeView::EndUpdate() {
    if (FUpdating == 0 || --FUpdating > 0) return;
    std::set<HTREEITEM> levels;
    levels.swap(FUnsorted);
    for (HTREEITEM parent : levels) SortLevel(parent);
}

void TTreeView::SortChildren(TTreeNode* Parent) {
    const HTREEITEM parent = Parent ? Parent->FItem : TVI_ROOT;
    if (FUpdating > 0)
        FUnsorted.insert(parent);
    else
        SortLevel(parent);
}

void TTreeView::SortLevel(HTREEITEM Parent) {
    TVSORTCB sort = {};
    sort.hParent = Parent;
    sort.lpfnCompare = &CompareItems;
    sort.lParam = reinterpret_cast<LPARAM>(this);
    SendMessageA(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

void TTreeView::SetUpNodesInView() {
    const int inView = static_cast<int>(TreeView_GetVisibleCount(Handle())) + 1;  // the last one partly
    HTREEITEM item = TreeView_GetFirstVisible(Handle());
    for (int i = 0; item && i < inView; ++i, item = TreeView_GetNextVisible(Handle(), item))
        if (TTreeNode* node = NodeOf(item)) node->EnsureSetUp();
}

LRESULT TTreeView::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    // Late nodes get their pictures and buttons before the tree draws them,
    // outside the tree's own drawing, so that they may change it.
    if (Msg == WM_PAINT) SafeCall([this] { SetUpNodesInView(); });
    return TWinControl::WndProc(Msg, WParam, LParam);
}

LRESULT TTreeView::NotifyMessage(NMHDR& Header) {
    if (Header.code == TVN_GETDISPINFOA || Header.code == TVN_GETDISPINFOW) {
        // Only late nodes are asked for, and only their pictures and number
        // of children, which both forms have in the same places.
        auto& info = reinterpret_cast<NMTVDISPINFOA&>(Header);
        const TTreeNode* node = NodeOf(info.item.hItem);
        if (!node) return 0;
        if (info.item.mask & TVIF_CHILDREN) info.item.cChildren = node->FLate || FirstChildItem(node->FItem) ? 1 : 0;
        if (info.item.mask & TVIF_IMAGE) info.item.iImage = node->FImageIndex;
        if (info.item.mask & TVIF_SELECTEDIMAGE) info.item.iSelectedImage = node->FSelectedIndex;
        return 0;
    }
    if (Header.code == TVN_ITEMEXPANDINGA || Header.code == TVN_ITEMEXPANDINGW) {
        // Both forms of the notice have the node and the action in the same
        // places. TRUE keeps the node closed.
        auto& notice = reinterpret_cast<NMTREEVIEWA&>(Header);
        if (FExpandingByProgram || (notice.action & (TVE_COLLAPSE | TVE_EXPAND)) != TVE_EXPAND) return FALSE;
        bool allow = true;
        SafeCall([&] { allow = CanExpand(NodeOf(notice.itemNew.hItem)); });
        return allow ? FALSE : TRUE;
    }
    return 0;
}

}  // namespace forms
