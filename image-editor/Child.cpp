#include "Child.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>

#include "Common.h"
#include "Main.h"
#include "RegData.h"
#include "ZvCom.h"
#include "Zelvani.h"

using namespace forms;

namespace {

// The number at the start of a list item ("10", "16").
int ItemNumber(const TListBox* List) {
    const int i = List->ItemIndex();
    if (i < 0 || i >= static_cast<int>(List->Items().size())) return 0;
    return std::atoi(List->Items()[static_cast<size_t>(i)].c_str());
}

// The magnifier's view of the picture around (X, Y) at the zoom of the
// main window's list: the source square stretched over the 90 x 90 view.
void ShowMagnifier(TfrmChild* Screen, int X, int Y) {
    const std::string& zoomText = frmMain->cboMagnifier->Items()[static_cast<size_t>(
        std::clamp(frmMain->cboMagnifier->ItemIndex(), 0, 4))];
    const int z = zoomText[0] - '0';
    struct Step {
        int Zoom, Offset, Size, DestOffset, DestSize;
    };
    static constexpr Step kSteps[] = {{1, 45, 90, 0, 90}, {2, 22, 45, 0, 90}, {4, 11, 23, -1, 92},
                                      {6, 7, 15, 0, 90},  {8, 6, 13, -7, 104}};
    const Step& s = *std::find_if(std::begin(kSteps), std::end(kSteps), [z](const Step& k) { return k.Zoom == z; });

    // The source square, with what lies outside the picture in the view's
    // background colour and the floating selection where it shows.
    TBitmap source;
    source.SetSize(s.Size, s.Size);
    source.Canvas().Brush.SetColor(clSystemColor | COLOR_BTNSHADOW);
    source.Canvas().FillRect(RECT{0, 0, s.Size, s.Size});
    const int left = X - s.Offset, top = Y - s.Offset;
    BitBlt(source.Canvas().Handle(), 0, 0, s.Size, s.Size, Screen->Picture().Canvas().Handle(), left, top, SRCCOPY);
    TBitmap& picture = Screen->Picture();
    // BitBlt leaves no defined pixels where the source lies outside the
    // picture: those parts are filled again.
    const RECT inside = {std::max(0, -left), std::max(0, -top), std::min(s.Size, picture.Width() - left),
                         std::min(s.Size, picture.Height() - top)};
    auto fillOutside = [&](RECT R) {
        if (R.right > R.left && R.bottom > R.top) source.Canvas().FillRect(R);
    };
    fillOutside({0, 0, s.Size, inside.top});
    fillOutside({0, inside.bottom, s.Size, s.Size});
    fillOutside({0, inside.top, inside.left, inside.bottom});
    fillOutside({inside.right, inside.top, s.Size, inside.bottom});
    if (Screen->SelImage && Screen->panSelect->Visible()) {
        TBitmap& sel = Screen->SelImage->Picture.Bitmap();
        BitBlt(source.Canvas().Handle(), Screen->panSelect->Left() - Screen->picMain->Left() - left,
               Screen->panSelect->Top() - Screen->picMain->Top() - top, Screen->panSelect->Width(),
               Screen->panSelect->Height(), sel.Canvas().Handle(), 0, 0, SRCCOPY);
    }

    TBitmap& view = frmMain->picMagnifier->Picture.Bitmap();
    if (view.Width() != 90 || view.Height() != 90) view.SetSize(90, 90);
    TCanvas& c = view.Canvas();
    c.Brush.SetColor(clSystemColor | COLOR_BTNSHADOW);
    c.FillRect(RECT{0, 0, 90, 90});
    StretchBlt(c.Handle(), s.DestOffset, s.DestOffset, s.DestSize, s.DestSize, source.Canvas().Handle(), 0, 0, s.Size,
               s.Size, SRCCOPY);
    if (z >= 4) {
        // The centre pixel, marked by four corners.
        const int h = z / 2, b = 45 - h, a = 45 + h;
        const POINT marks[4][3] = {{{0, b}, {b, b}, {b, -1}},
                                   {{a, 0}, {a, b}, {90, b}},
                                   {{90, a}, {a, a}, {a, 90}},
                                   {{b, 90}, {b, a}, {-1, a}}};
        for (const auto& m : marks) Polyline(c.Handle(), m, 3);
    }
    frmMain->picMagnifier->Repaint();
    if (!frmMain->panMagnifierFront->Visible()) frmMain->panMagnifierFront->Show();
}

}  // namespace

TfrmChild::TfrmChild(TComponent* AOwner) : TForm(AOwner, fsMDIChild) {
    Describe({.Name = "frmChild", .Caption = " ", .ClientWidth = 192, .ClientHeight = 112, .KeyPreview = true,
              .ShowHint = true, .OnCreate = Handler(&TfrmChild::Form_Create),
              .OnActivate = Handler(&TfrmChild::Form_Activate), .OnDestroy = Handler(&TfrmChild::Form_Destroy),
              .OnCloseQuery = [this](TComponent* s, bool& c) { Form_CloseQuery(s, c); },
              .OnClose = CloseHandler(&TfrmChild::Form_Close),
              .OnKeyPress = [this](TComponent* s, char& k) { Form_KeyPress(s, k); }});
    const TColor shadow = clSystemColor | COLOR_BTNSHADOW;
    Add(sclMain, {.Name = "sclMain", .Align = alClient, .BevelOuter = bvNone, .Color = shadow});
    Add(picBackup, {.Name = "picBackup", .Parent = sclMain, .Visible = false});
    for (auto [bar, name, kind] : {std::tuple{&slbHorz, "slbHorz", sbHorizontal}, std::tuple{&slbVert, "slbVert", sbVertical}})
        Add(*bar, {.Name = name, .Parent = sclMain, .Width = 90, .Height = 16, .TabStop = false},
            [kind](TScrollBar& b) {
                b.Kind = kind;
                b.SmallChange = 5;
                b.LargeChange = 10;
                b.SetParams(0, 0, 90, 0);
            });
    for (TScrollBar* bar : {slbHorz, slbVert}) {
        bar->OnChange = Handler(&TfrmChild::slb_Change);
        bar->OnScroll = [this](TComponent* s, int, int&) { slb_Change(s); };
    }
    Add(panRect, {.Name = "panRect", .Parent = sclMain, .BevelOuter = bvNone});
    Add(panMain, {.Name = "panMain", .Parent = sclMain, .BevelOuter = bvNone, .Color = shadow});
    Add(picMain, {.Name = "picMain", .Parent = panMain});
    picMain->PopupMenu = frmMain->mnuPEdit;
    picMain->OnMouseDown = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { picMain_MouseDown(s, b, k, x, y); };
    picMain->OnMouseMove = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { picMain_MouseMove(s, b, k, x, y); };
    picMain->OnMouseUp = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { picMain_MouseUp(s, b, k, x, y); };
    picMain->OnMouseLeave = Handler(&TfrmChild::picMain_MouseLeave);
    Add(panSelect, {.Name = "panSelect", .Parent = panMain, .Visible = false, .BevelOuter = bvNone});
    tmrSelect = new TTimer(this);
    tmrSelect->SetName("tmrSelect");
    tmrSelect->SetEnabled(false);
    tmrSelect->SetInterval(250);
    tmrSelect->OnTimer = Handler(&TfrmChild::tmrSelect_Timer);
    FControlsMade = true;
    EndDescription();
}

void TfrmChild::SetPictureSize(int Width, int Height) {
    Picture().SetSize(Width, Height);
    picMain->SetBounds(picMain->Left(), picMain->Top(), Width, Height);
}

void TfrmChild::TakePicture(TGraphic& Graphic) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(&Graphic)) {
        Picture().Exchange(*bitmap);
        picMain->SetBounds(picMain->Left(), picMain->Top(), Picture().Width(), Picture().Height());
    } else {
        SetPictureSize(Graphic.Width(), Graphic.Height());
        Picture().Canvas().Draw(0, 0, Graphic);
    }
}

void TfrmChild::Form_Create(TComponent*) {
    // A screen is not one of a series that the next-window command steps
    // through: that command and the separator after it go.
    HMENU system = GetSystemMenu(Handle(), FALSE);
    DeleteMenu(system, SC_NEXTWINDOW, MF_BYCOMMAND);
    DeleteMenu(system, 7, MF_BYPOSITION);
    Undo = std::make_unique<TPicUndo>();
    Undo->OnChange = [] { frmMain->UpdateCommandStates(); };
    const auto* p = reinterpret_cast<const unsigned char*>(DefaultScreen.data());
    ScreenBackColor = static_cast<TColor>(RGB(p[4], p[5], p[6]));
    panSelect->SetColor(ScreenBackColor);
    frmMain->UpdateCommandStates();
}

void TfrmChild::Form_Activate(TComponent*) { frmMain->UpdateCommandStates(); }

void TfrmChild::Form_CloseQuery(TComponent*, bool& CanClose) {
    if (!AskSave || (Tag & 1) == 0) return;
    switch (AskUser("This screen has been modified. Do you want to save to disk?", "", 1, zvIconQuestion, "&Yes", "&No",
                    "Cancel")) {
    case 1: CanClose = SaveScreen(this, Caption(), FileName, false); break;
    case 3: CanClose = false; break;
    default: break;
    }
}

void TfrmChild::Form_Close(TComponent*, TCloseAction& Action) {
    EndToolActions(true, true);
    Action = caFree;
    frmMain->UpdateCommandStates();
}

void TfrmChild::Form_Destroy(TComponent*) {
    EndText(this);
    tmrSelect->SetEnabled(false);
    AntsCanvas = nullptr;
    Free(SelImage);
    SelImage = nullptr;
    Undo.reset();
    frmMain->UpdateCommandStates();
}

void TfrmChild::Form_KeyPress(TComponent*, char& Key) {
    if (Key == 27)
        CancelTool(this, true);
    else if (TypeText(Key))
        Key = 0;
}

void TfrmChild::slb_Change(TComponent*) {
    // The caret would stay where the picture was.
    EndText(this);
    UpdateScrollBars(this);
}

void TfrmChild::ToFront() {
    if (frmMain->ActiveMDIChild() != this)
        SendMessageA(frmMain->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
}

void ShowMagnifierView(TfrmChild* Screen, int X, int Y) { Reported([&] { ShowMagnifier(Screen, X, Y); }); }

void TfrmChild::picMain_MouseLeave(TComponent*) {
    if (frmMain->ActiveMDIChild() == this && frmMain->panMagnifierFront->Visible()) frmMain->panMagnifierFront->Hide();
}

LRESULT TfrmChild::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    const LRESULT result = TForm::WndProc(Msg, WParam, LParam);
    if (Msg == WM_SIZE && FControlsMade) UpdateScrollBars(this);
    return result;
}

// ---- What the other commands ask of a screen ---------------------------------

int GetDrawingSetting(TfrmChild*, int Kind) {
    switch (Kind) {
    case 0: return DrawingByte(0) + 1;
    case 1: return frmMain->lstDrawingType->ItemIndex();
    case 2: return ItemNumber(frmMain->lstDrawingWidth);
    case 3: return ItemNumber(frmMain->lstDrawingESize);
    default: return 0;
    }
}

void BackupPicture(TfrmChild* Screen, bool Save) {
    Reported([&] {
        TBitmap& backup = Screen->picBackup->Picture.Bitmap();
        if (Save) {
            backup.Assign(Screen->Picture());
            Screen->picBackup->SetBounds(0, 0, backup.Width(), backup.Height());
        } else {
            Screen->Picture().Assign(backup);
            Screen->picMain->Repaint();
        }
    });
}

void CancelTool(TfrmChild* Screen, bool Drop) {
    Reported([&] {
        ZvClipControl(nullptr);
        EndText(Screen);
        if (Drop) {
            HideFrame(Screen);
            if (Screen->SelImage) EndSelection(Screen);
        }
        if (Screen->Tool > 0 || Screen->CurveStep > 0) {
            frmMain->tmrAirbrush->SetEnabled(false);
            BackupPicture(Screen, false);
            Screen->Tool = 0;
            Screen->CurveStep = 0;
            Screen->DraggingSel = false;
            Screen->SelLifted = false;
        }
        // A selection that still floats keeps its size in the status bar.
        Screen->Busy = Screen->SelImage && Screen->panSelect->Visible();
        frmMain->UpdateCommandStates();
    });
}

void SetModified(TfrmChild* Screen, bool Value) {
    const int tag = Value ? (Screen->Tag | 1) : (Screen->Tag & ~1);
    if (tag == Screen->Tag) return;
    Screen->Tag = tag;
    UpdateScreenIcon(Screen);
}

void UpdateScreenIcon(TfrmChild* Screen) {
    HICON icon = frmMain->imlChild->GetIcon(Screen->Tag);
    HICON old = reinterpret_cast<HICON>(
        SendMessageA(Screen->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    SendMessageA(Screen->Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    // Icons of the screen's own are made here; the program's icon is shared.
    if (old && old != LoadIconA(GetModuleHandleA(nullptr), "MAINICON")) DestroyIcon(old);
}

bool SelectionIsWholePicture(TfrmChild* Screen) {
    return Screen->SelImage && Screen->panSelect->Visible() && Screen->SelImage->Width() == Screen->picMain->Width() &&
           Screen->SelImage->Height() == Screen->picMain->Height();
}

void GetScrollBarMetrics(TForm* Form, int& Border, int& BarHeight, int& BarWidth) {
    Border = IsZoomed(Form->Handle()) ? 0 : 4;
    NONCLIENTMETRICSA metrics = {};
    static_assert(sizeof metrics == 340, "the metrics of the systems this program was made for");
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    BarHeight = metrics.iScrollHeight;
    BarWidth = metrics.iScrollWidth;
}

void UpdateScrollBars(TfrmChild* Screen) {
    const HWND wnd = Screen->Handle();
    if (IsIconic(wnd)) return;
    Screen->sclMain->SetBorder(!IsZoomed(wnd));
    int border, barHeight, barWidth;
    GetScrollBarMetrics(Screen, border, barHeight, barWidth);
    const int clientW = Screen->ClientWidth(), clientH = Screen->ClientHeight();
    TScrollBar* horz = Screen->slbHorz;
    TScrollBar* vert = Screen->slbVert;
    horz->SetBounds(0, clientH - border - barHeight, clientW - border - barWidth, barHeight);
    vert->SetBounds(clientW - border - barWidth, 0, barWidth, clientH - border - barHeight);
    Screen->panRect->SetBounds(vert->Left(), horz->Top(), barWidth, barHeight);

    TImage* pic = Screen->picMain;
    TPanel* view = Screen->panMain;
    const int viewW = std::min(pic->Width(), Screen->sclMain->ClientWidth() - barWidth);
    const int viewH = std::min(pic->Height(), Screen->sclMain->ClientHeight() - barHeight);
    if (view->Width() != viewW || view->Height() != viewH) view->SetBounds(0, 0, viewW, viewH);

    // Each bar scrolls when the picture does not fit beside the other one.
    const int left =
        horz->ScrollPicture(Screen->sclMain->Width() < border + barHeight + pic->Width(), pic->Width(), horz->Width());
    const int top =
        vert->ScrollPicture(Screen->sclMain->Height() < border + barWidth + pic->Height(), pic->Height(), vert->Height());
    if (pic->Left() != left || pic->Top() != top) pic->SetBounds(left, top, pic->Width(), pic->Height());
    if (Screen->SelImage && Screen->panSelect->Visible())
        Screen->panSelect->SetBounds(left + Screen->SelRect.left, top + Screen->SelRect.top, Screen->panSelect->Width(),
                                     Screen->panSelect->Height());
}
