#include "Context.h"

#include "MenuItemDrawing.h"

using namespace forms;

TfrmContext* frmContext = nullptr;

namespace {

// The pictures of Undo, Cut, Copy and Paste, drawn on a magenta ground that
// shows through.
std::unique_ptr<TBitmap> Picture(int Index) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(16, 16);
    TCanvas& c = b->Canvas();
    c.Brush.SetColor(0xFF00FF);
    c.FillRect(RECT{0, 0, 16, 16});
    c.Pen.SetColor(0x000000);
    auto box = [&](int l, int t, int r, int bottom, TColor fill) {
        c.Brush.SetColor(fill);
        RECT rc = {l, t, r, bottom};
        c.FillRect(rc);
        FrameRect(c.Handle(), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
    switch (Index) {
    case 0:  // Undo: an arrow turning back to the left
        Arc(c.Handle(), 3, 4, 14, 14, 13, 9, 4, 6);
        c.MoveTo(3, 5);
        c.LineTo(3, 10);
        c.MoveTo(3, 5);
        c.LineTo(8, 5);
        break;
    case 1:  // Cut: scissors, two blades and two rings
        c.MoveTo(5, 1);
        c.LineTo(10, 10);
        c.MoveTo(10, 1);
        c.LineTo(5, 10);
        Ellipse(c.Handle(), 2, 9, 7, 15);
        Ellipse(c.Handle(), 9, 9, 14, 15);
        break;
    case 2:  // Copy: two pages
        box(1, 1, 9, 11, 0xFFFFFF);
        box(6, 5, 14, 15, 0xFFFFFF);
        break;
    default:  // Paste: a page on a clipboard
        box(2, 2, 12, 15, 0x3080C0);
        box(5, 1, 9, 4, 0x808080);
        box(7, 6, 15, 15, 0xFFFFFF);
        break;
    }
    return b;
}

LRESULT SendToTarget(UINT Msg, WPARAM W = 0, LPARAM L = 0) {
    return frmContext && frmContext->Target ? SendMessageA(frmContext->Target, Msg, W, L) : 0;
}

int SelectionLength() {
    DWORD start = 0, end = 0;
    SendToTarget(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end) - static_cast<int>(start);
}

}  // namespace

TfrmContext::TfrmContext(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmContext", .BorderStyle = bsNone, .OnCreate = Handler(&TfrmContext::Form_Create)});
    imlImages = new TImageList(this);
    imlImages->SetName("imlImages");
    for (int i = 0; i < 4; ++i) imlImages->Add(Picture(i));
    mnuEdit = new TPopupMenu(this);
    mnuEdit->SetName("mnuEdit");
    mnuEdit->Images = imlImages;
    mnuEdit->OnPopup = Handler(&TfrmContext::mnuEdit_Popup);
    struct Entry {
        TMenuItem*& Member;
        const char* Name;
        const char* Caption;
        int Tag;
        int Image;
    };
    const Entry entries[] = {
        {mnuEditUndo, "mnuEditUndo", "&Undo", 1, 0},        {mnuEditSep1, "mnuEditSep1", "-", 0, -1},
        {mnuEditCut, "mnuEditCut", "Cu&t", 2, 1},           {mnuEditCopy, "mnuEditCopy", "&Copy", 3, 2},
        {mnuEditPaste, "mnuEditPaste", "&Paste", 4, 3},     {mnuEditDelete, "mnuEditDelete", "&Delete", 5, -1},
        {mnuEditSep2, "mnuEditSep2", "-", 0, -1},           {mnuEditSelectAll, "mnuEditSelectAll", "Select &All", 6, -1},
    };
    for (const Entry& e : entries) {
        e.Member = new TMenuItem(this);
        e.Member->SetName(e.Name);
        e.Member->Caption = e.Caption;
        e.Member->Tag = e.Tag;
        e.Member->ImageIndex = e.Image;
        if (e.Tag) e.Member->OnClick = Handler(&TfrmContext::mnuEditCCP_Click);
        mnuEdit->Add(e.Member);
    }
    EndDescription();
}

void TfrmContext::Form_Create(TComponent*) {
    for (TComponent* c : Components())
        if (auto* item = dynamic_cast<TMenuItem*>(c)) item->OnDrawItem = &MenuItemDrawing;
}

void TfrmContext::mnuEdit_Popup(TComponent*) {
    const int selection = SelectionLength();
    mnuEditUndo->Enabled = SendToTarget(EM_CANUNDO) != 0;
    mnuEditCut->Enabled = selection > 0;
    mnuEditCopy->Enabled = selection > 0;
    mnuEditPaste->Enabled = IsClipboardFormatAvailable(CF_TEXT) != FALSE;
    mnuEditDelete->Enabled = selection > 0;
    mnuEditSelectAll->Enabled = selection < static_cast<int>(SendToTarget(WM_GETTEXTLENGTH));
}

void TfrmContext::mnuEditCCP_Click(TComponent* Sender) {
    switch (Sender->Tag) {
    case 1: SendToTarget(EM_UNDO); break;
    case 2: SendToTarget(WM_CUT); break;
    case 3: SendToTarget(WM_COPY); break;
    case 4: SendToTarget(WM_PASTE); break;
    case 5: SendToTarget(WM_CLEAR); break;
    case 6: SendToTarget(EM_SETSEL, 0, -1); break;
    default: break;
    }
}
