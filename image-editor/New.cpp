#include "New.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "Child.h"
#include "Common.h"
#include "DialogLook.h"
#include "Images.h"
#include "Main.h"
#include "RegData.h"
#include "ScreenPreview.h"
#include "Zelvani.h"
#include "ZvColor.h"
#include "ZvCom.h"

using namespace forms;

TfrmNew* frmNew = nullptr;

namespace {

constexpr int kLeast = 10, kMost = 1600;

int ClampSide(int Value) { return std::clamp(Value, kLeast, kMost); }

// Shows a side, within the limits, in its edit and up-down. An edit that
// shows it already is left alone: writing its text again would put the
// caret of a user typing there back to the start.
void ShowSide(TEdit* Edit, TUpDown* UpDown, int Value) {
    const std::string text = std::to_string(ClampSide(Value));
    if (Edit->Text() == text) return;
    UpDown->SetPosition(ClampSide(Value));
    Edit->SetText(text);
}

// Set while UpdateNewScreen runs: the controls it changes report their
// changes, which must not run it again.
bool Busy = false;

const char* const kOrientationHints[] = {
    "Specifies the screen to be printed with its top along the short side of the paper",
    "Specifies the screen to be printed with its top along the long side of the paper"};

}  // namespace

TfrmNew::TfrmNew(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmNew", .Caption = "New Screen", .ClientWidth = 407, .ClientHeight = 294,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmNew::Form_Show)});
    Add(lblScreenSize, {.Name = "lblScreenSize", .Left = 8, .Top = 8, .Caption = "&Screen size:"});
    Add(cboScreenSize, {.Name = "cboScreenSize", .Left = 8, .Top = 24, .Width = 160, .Height = 22,
                        .Hint = "Lists the default screens that you can use when you create a new screen",
                        .OnChange = Handler(&TfrmNew::cboScreenSize_Click)},
        [this](TComboBox& c) {
            c.ItemHeight = 16;
            c.DropDownCount = 4;
            c.SetItems({"Default", "Full screen", "Banner", "Custom"});
            c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                cboScreenSize_DrawItem(s, cv, i, r, st);
            };
        });
    lblScreenSize->FocusControl = cboScreenSize;

    struct Side {
        TLabel *&Label, *&Unit;
        TEdit*& Edit;
        TUpDown*& UpDown;
        const char *Name, *Caption, *Hint;
        int Top;
    };
    const Side sides[] = {
        {lblWidth, lblWidthPixels, txtWidth, updWidth, "Width", "&Width:",
         "Specifies the side-to-side length of the screen in pixels", 56},
        {lblHeight, lblHeightPixels, txtHeight, updHeight, "Height", "&Height:",
         "Specifies the top-to-bottom length of the screen in pixels", 84}};
    for (const Side& s : sides) {
        const std::string name = s.Name;
        Add(s.Label, {.Name = "lbl" + name, .Left = 8, .Top = s.Top + 4, .Caption = s.Caption});
        Add(s.Edit, {.Name = "txt" + name, .Left = 64, .Top = s.Top, .Width = 56, .Height = 21, .Hint = s.Hint,
                     .MaxLength = 4, .OnExit = Handler(&TfrmNew::txtScreen_Exit)},
            [this](TEdit& e) {
                e.OnKeyPress = [this](TComponent* Sender, char& Key) { txtScreen_KeyPress(Sender, Key); };
                e.OnKeyUp = [this](TComponent* Sender, WORD& Key) { txtScreen_KeyUp(Sender, Key); };
                e.OnContextPopup = [this](TComponent* Sender, POINT At, bool& Handled) {
                    txtScreen_ContextPopup(Sender, At, Handled);
                };
            });
        Add(s.UpDown, {.Name = "upd" + name, .Left = 120, .Top = s.Top, .Width = 16, .Height = 21, .Hint = s.Hint,
                       .OnClick = Handler(&TfrmNew::updScreen_Click)},
            [&](TUpDown& u) {
                u.Thousands = false;
                u.SetMin(kLeast);
                u.SetMax(kMost);
                u.SetIncrement(10);
            });
        s.UpDown->SetAssociate(s.Edit);
        s.Label->FocusControl = s.Edit;
        Add(s.Unit, {.Name = "lbl" + name + "Pixels", .Left = 142, .Top = s.Top + 4, .Caption = "Pixels"});
    }

    Add(lblColor, {.Name = "lblColor", .Left = 8, .Top = 116, .Caption = "Color:"});
    Add(txtColor, {.Name = "txtColor", .Left = 64, .Top = 112, .Width = 56, .Height = 21, .Enabled = false,
                   .TabStop = false},
        [](TEdit& e) { e.SetColor(clWhite); });
    Add(cmdColor, {.Name = "cmdColor", .Left = 128, .Top = 110, .Width = 75, .Height = 25, .Caption = "&Change...",
                   .Hint = "Changes the background color of the screen", .OnClick = Handler(&TfrmNew::cmdColor_Click)});
    Add(chkDefault, {.Name = "chkDefault", .Left = 8, .Top = 144, .Width = 120, .Height = 17, .Caption = "D&efault",
                     .Hint = "Stores the current settings in the New Screen dialog box as the new default settings"});

    Add(fraOrientation, {.Name = "fraOrientation", .Left = 8, .Top = 168, .Width = 160, .Height = 80,
                         .Caption = " Orientation "});
    Add(picOrientation, {.Name = "picOrientation", .Parent = fraOrientation, .Left = 12, .Top = 24, .Width = 32,
                         .Height = 32});
    picOrientation->OnPaint = Handler(&TfrmNew::picOrientation_Paint);
    int tag = 0;
    for (auto [button, name, caption] : {std::tuple{&optPortrait, "optPortrait", "&Portrait"},
                                         std::tuple{&optLandscape, "optLandscape", "&Landscape"}}) {
        Add(*button, {.Name = name, .Parent = fraOrientation, .Left = 56, .Top = 24 + 24 * tag, .Width = 96,
                      .Height = 17, .Caption = caption, .Hint = kOrientationHints[tag], .Tag = tag + 1,
                      .OnClick = Handler(&TfrmNew::optOrientation_Click),
                      .OnDblClick = Handler(&TfrmNew::optOrientation_DblClick)});
        ++tag;
    }

    Add(lblPreview, {.Name = "lblPreview", .Left = 176, .Top = 8, .Caption = "Preview:"});
    Add(sclPreview, {.Name = "sclPreview", .Left = 176, .Top = 24, .Width = 229, .Height = 229,
                     .BevelOuter = bvNone, .Color = clBtnShadow});
    Add(picPreview, {.Name = "picPreview", .Parent = sclPreview, .Width = 229, .Height = 229,
                     .Hint = "Shows how your screen will look with the selected options"});

    Add(chkDontShow, {.Name = "chkDontShow", .Left = 8, .Top = 266, .Width = 232, .Height = 17,
                      .Caption = "&Don't show this dialog box again",
                      .Hint = "Select if you don't want to see this dialog box the next time you create a new screen"});
    Add(cmdOK, {.Name = "cmdOK", .Left = 246, .Top = 262, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmNew::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 326, .Top = 262, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TfrmNew::cmdCancel_Click)});
    EndDescription();
}

int TfrmNew::ScreenWidth() const { return ClampSide(NumberIn(txtWidth->Text())); }
int TfrmNew::ScreenHeight() const { return ClampSide(NumberIn(txtHeight->Text())); }

void TfrmNew::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    chkDefault->SetChecked(false);
    chkDontShow->SetChecked(!HasOption(OptNewDialog));
    cboScreenSize->SetItemIndex(nspDefault);
    UpdateNewScreen();
    SetActiveControl(txtWidth);
}

void TfrmNew::UpdateNewScreen() {
    Busy = true;
    struct Done {
        ~Done() { Busy = false; }
    } done;
    const int preset = cboScreenSize->ItemIndex();
    auto take = [this](int Width, int Height, TColor Color) {
        ShowSide(txtWidth, updWidth, Width);
        ShowSide(txtHeight, updHeight, Height);
        txtColor->SetColor(Color);
    };
    switch (preset) {
    case nspDefault: take(DefaultScreenWidth(), DefaultScreenHeight(), DefaultScreenColor()); break;
    // A display larger than the dialog allows gives the largest screen.
    case nspFullScreen: take(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), clWhite); break;
    case nspBanner: take(600, 64, clWhite); break;
    default: break;
    }
    chkDefault->SetEnabled(preset != nspDefault);
    if (preset == nspDefault) chkDefault->SetChecked(false);
    const int w = NumberIn(txtWidth->Text()), h = NumberIn(txtHeight->Text());
    (w < h ? optPortrait : optLandscape)->SetChecked(true);
    TBitmap& preview = picPreview->Picture.Bitmap();
    preview.SetSize(picPreview->Width(), picPreview->Height());
    DrawScreenPreview(preview.Canvas(), preview.Width(), preview.Height(), w, h, txtColor->Color());
    picPreview->Repaint();
}

void TfrmNew::SetCustom() { cboScreenSize->SetItemIndex(nspCustom); }

void TfrmNew::cboScreenSize_Click(TComponent*) {
    if (!Busy) UpdateNewScreen();
}

void TfrmNew::cboScreenSize_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= static_cast<int>(cboScreenSize->Items().size())) return;
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 2, Rect.top + 1, cboScreenSize->Items()[static_cast<size_t>(Index)]);
}

void TfrmNew::txtScreen_KeyPress(TComponent*, char& Key) {
    if (Key != '\b' && (Key < '0' || Key > '9')) {
        Key = 0;
        return;
    }
    SetCustom();
    UpdateNewScreen();
}

void TfrmNew::txtScreen_KeyUp(TComponent*, WORD&) { UpdateNewScreen(); }

void TfrmNew::txtScreen_Exit(TComponent* Sender) {
    auto* edit = static_cast<TEdit*>(Sender);
    // Text that is not a number (pasted, say) counts as 0.
    const int value = ClampSide(NumberIn(edit->Text()));
    edit->SetText(std::to_string(value));
    (edit == txtWidth ? updWidth : updHeight)->SetPosition(value);
    UpdateNewScreen();
}

void TfrmNew::txtScreen_ContextPopup(TComponent* Sender, POINT MousePos, bool& Handled) {
    ZvComEditMenu(static_cast<TEdit*>(Sender), MousePos.x, MousePos.y);
    Handled = true;
}

void TfrmNew::updScreen_Click(TComponent* Sender) {
    auto* edit = static_cast<TEdit*>(FindComponent("txt" + Sender->Name().substr(3)));
    if (edit) edit->SetFocus();
    SetCustom();
    UpdateNewScreen();
}

void TfrmNew::optOrientation_Click(TComponent* Sender) {
    if (!Busy) {
        const int w = NumberIn(txtWidth->Text()), h = NumberIn(txtHeight->Text());
        const bool portrait = Sender->Tag == 1;
        txtWidth->SetText(std::to_string(portrait ? std::min(w, h) : std::max(w, h)));
        txtHeight->SetText(std::to_string(portrait ? std::max(w, h) : std::min(w, h)));
        SetCustom();
        UpdateNewScreen();
    }
    picOrientation->Repaint();
}

void TfrmNew::optOrientation_DblClick(TComponent*) { cmdOK_Click(cmdOK); }

void TfrmNew::picOrientation_Paint(TComponent*) {
    frmMain->imlCommon->Draw(picOrientation->Canvas(), 0, 0,
                             optPortrait->Checked() ? CommonImages::Portrait : CommonImages::Landscape, true);
}

void TfrmNew::cmdColor_Click(TComponent*) {
    cmdColor->SetFocus();
    {
        const BusyWhile busy(this);
        TColor color = txtColor->Color();
        ZvShowColor(ShortString("New"), color);
        if (color != txtColor->Color()) {
            txtColor->SetColor(color);
            SetCustom();
            UpdateNewScreen();
        }
    }
    cmdOK->SetFocus();
}

void TfrmNew::cmdOK_Click(TComponent*) {
    // The focus moves first, so that a size being typed is clamped.
    cmdOK->SetFocus();
    if (chkDefault->Checked()) {
        const int w = ScreenWidth(), h = ScreenHeight();
        const TColor color = txtColor->Color();
        const unsigned char bytes[7] = {static_cast<unsigned char>(w / 100), static_cast<unsigned char>(w % 100),
                                        static_cast<unsigned char>(h / 100), static_cast<unsigned char>(h % 100),
                                        static_cast<unsigned char>(ZvRed(color)), static_cast<unsigned char>(ZvGreen(color)),
                                        static_cast<unsigned char>(ZvBlue(color))};
        DefaultScreen.assign(reinterpret_cast<const char*>(bytes), 7);
    }
    SetOption(OptNewDialog, !chkDontShow->Checked());
    ModalResult = mrOk;
}

void TfrmNew::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

LRESULT TfrmNew::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    const LRESULT result = TForm::WndProc(Msg, WParam, LParam);
    if (Msg == WM_SYSCOLORCHANGE) UpdateNewScreen();
    return result;
}

void TfrmMain::mnuFileNew_Click(TComponent*) {
    if (ScreenCount() >= MaxScreens) return;
    EndToolActions(false, true);
    // Shift held turns the stored choice of the dialog round.
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    int width = DefaultScreenWidth(), height = DefaultScreenHeight();
    TColor color = DefaultScreenColor();
    if (HasOption(OptNewDialog) != shift) {
        if (frmNew->ShowModal() != mrOk) return;
        width = frmNew->ScreenWidth();
        height = frmNew->ScreenHeight();
        color = frmNew->ScreenColor();
    }
    CreateScreen("Screen " + std::to_string(NextScreenNumber()), 0);
    EndToolActions(false, true);
    TfrmChild* screen = ActiveScreen();
    if (!screen) return;
    screen->SetPictureSize(width, height);
    TCanvas& canvas = screen->Picture().Canvas();
    canvas.Brush.SetColor(color);
    canvas.FillRect(RECT{0, 0, width, height});
    screen->ScreenBackColor = color;
    screen->panSelect->SetColor(color);
    UpdateScrollBars(screen);
    FitToPage(screen, false);
}
