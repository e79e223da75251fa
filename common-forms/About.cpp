#include "About.h"

#include <memory>
#include <string>

#include "AboutColors.h"
#include "ComState.h"
#include "DialogLook.h"
#include "ZvCom.h"

using namespace forms;

namespace {

constexpr int kWidth = 352;
constexpr TColor kGround = clWhite;
constexpr TColor kPureBlue = 0xFF0000;
constexpr int kRevealInterval = 800, kCycleDelay = 5000, kCycleInterval = 200;
// The steps of the reveal; the last one ends it.
constexpr int kLastStep = 11;
// The time between two typed characters and between two passes of a fade.
constexpr int kDrawPause = 20;

constexpr const char* kWarning =
    "Warning: this program is protected by copyright law and international treaties. Copying or distributing it, "
    "or any part of it, without the permission of its maker is an infringement of copyright.";

// The pictures of the OK button, "OK" in the two fonts the box is laid out
// for: 0 for any font, 1 for Tahoma.
std::unique_ptr<TBitmap> OKPicture(const char* FontName) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(40, 16);
    TCanvas& c = b->Canvas();
    c.Brush.SetColor(clBtnFace);
    c.FillRect(RECT{0, 0, 40, 16});
    c.Font.SetName(FontName);
    c.Font.SetSize(8);
    c.Font.SetColor(clBlack);
    c.Brush.SetClear(true);
    const SIZE size = c.TextExtent("OK");
    c.TextOut((40 - size.cx) / 2, (16 - size.cy) / 2, "OK");
    return b;
}

// A new white picture of the image's size.
TCanvas& ClearPicture(TImage* Image) {
    TBitmap& b = Image->Picture.Bitmap();
    b.SetSize(Image->Width(), Image->Height());
    TCanvas& c = b.Canvas();
    c.Brush.SetClear(false);
    c.Brush.SetColor(kGround);
    c.FillRect(RECT{0, 0, Image->Width(), Image->Height()});
    Image->Picture.Changed();
    return c;
}

}  // namespace

TfrmAbout::TfrmAbout(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmAbout", .ClientWidth = kWidth, .ClientHeight = 323, .BorderStyle = bsNone,
              .BorderIcons = 0, .Position = poScreenCenter, .FontName = "MS Sans Serif", .FontSize = 8,
              .KeyPreview = true, .OnShow = Handler(&TfrmAbout::Form_Show),
              .OnKeyPress = [this](TComponent* s, char& k) { Form_KeyPress(s, k); }});
    Add(picBoard, {.Name = "picBoard", .Width = kWidth, .Height = 323});
    Add(picLogo, {.Name = "picLogo", .Left = 2, .Top = 15, .Visible = false});
    Add(lblVersion, {.Name = "lblVersion", .Left = 100, .Top = 12, .Visible = false});
    lblVersion->Font.SetStyle(fsBold);
    lblVersion->Font.SetSize(10);
    Add(picVersion, {.Name = "picVersion"});
    Add(lblCopyright, {.Name = "lblCopyright", .Left = 25, .Top = 105, .Visible = false});
    Add(lblAllRights, {.Name = "lblAllRights", .Left = 25, .Top = 120, .Caption = "All rights reserved",
                       .Visible = false});
    Add(lblUserName, {.Name = "lblUserName", .Left = 25, .Top = 150, .Visible = false});
    Add(lblCompanyName, {.Name = "lblCompanyName", .Left = 25, .Top = 165, .Visible = false});
    Add(lblWarning, {.Name = "lblWarning", .Left = 25, .Top = 240, .Width = 251, .Height = 65, .Caption = kWarning,
                     .Visible = false, .AutoSize = false, .WordWrap = true});
    lblWarning->Font.SetSize(7);
    imlDummy = new TImageList(this);
    imlDummy->SetName("imlDummy");
    imlDummy->Width = 40;
    imlDummy->Add(OKPicture("MS Sans Serif"));
    imlDummy->Add(OKPicture("Tahoma"));
    Add(tlbMain, {.Name = "tlbMain", .Left = 285, .Top = 284, .Width = 47, .Height = 22}, [this](TToolBar& bar) {
        bar.Images = imlDummy;
        bar.ButtonWidth = 47;
        bar.ButtonHeight = 22;
    });
    tlnOK = new TToolButton(this);
    tlnOK->SetName("tlnOK");
    tlnOK->OnClick = Handler(&TfrmAbout::tlnOKClick);
    // The version and the button lie on the board.
    picVersion->BringToFront();
    tlbMain->BringToFront();
    tmrShow = new TTimer(this);
    tmrShow->SetName("tmrShow");
    tmrShow->SetEnabled(false);
    tmrShow->SetInterval(kRevealInterval);
    tmrShow->OnTimer = Handler(&TfrmAbout::tmrShow_Timer);
    tmrVersion = new TTimer(this);
    tmrVersion->SetName("tmrVersion");
    tmrVersion->SetEnabled(false);
    tmrVersion->SetInterval(kCycleDelay);
    tmrVersion->OnTimer = Handler(&TfrmAbout::tmrVersion_Timer);
    EndDescription();
}

void TfrmAbout::SetLogo(TGraphic* Logo) {
    if (!Logo || Logo->Empty()) return;
    auto copy = std::make_unique<TBitmap>();
    copy->SetSize(Logo->Width(), Logo->Height());
    copy->Canvas().Brush.SetColor(kGround);
    copy->Canvas().FillRect(RECT{0, 0, Logo->Width(), Logo->Height()});
    Logo->Draw(copy->Canvas(), RECT{0, 0, Logo->Width(), Logo->Height()});
    picLogo->SetBounds(picLogo->Left(), picLogo->Top(), Logo->Width(), Logo->Height());
    picLogo->Picture.SetGraphic(std::move(copy));
}

void TfrmAbout::SetAnimate(bool Value) {
    FAnimate = Value;
    tmrShow->SetInterval(Value ? kRevealInterval : 1);
}

void TfrmAbout::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    lblVersion->Font.SetName(Font.Name());
    lblWarning->Font.SetName(Font.Name());
    const bool tahoma = Font.Name() == "Tahoma";
    SetClientSize(kWidth, (tahoma ? 268 : 280) + 43);
    picBoard->SetBounds(0, 0, kWidth, ClientHeight());
    tlbMain->SetBounds(tlbMain->Left(), tahoma ? 270 : 282, tlbMain->Width(), tlbMain->Height());
    tlnOK->ImageIndex = tahoma ? 1 : 0;
    if (tlbMain->Buttons().empty()) tlbMain->Add(tlnOK);

    // The version's surface fits its text, where the caller placed it.
    TCanvas& version = picVersion->Picture.Bitmap().Canvas();
    version.Font.Assign(lblVersion->Font);
    const SIZE size = version.TextExtent(lblVersion->Caption());
    picVersion->SetBounds(picVersion->Left(), picVersion->Top(), size.cx, size.cy);
    ClearPicture(picVersion);
    FVersionColor = kPureBlue;
    lblVersion->Font.SetColor(kPureBlue);

    DrawFrames();
    FStep = 0;
    FColorState = zvcom::kFirstCycleState;
    tmrShow->SetEnabled(true);
    tmrVersion->SetEnabled(false);
    tmrVersion->SetInterval(kCycleDelay);
}

// The box's frame, and a thinner one around the OK button.
void TfrmAbout::DrawFrames() {
    TCanvas& c = ClearPicture(picBoard);
    c.Pen.SetColor(clBlack);
    c.Pen.SetWidth(2);
    c.Rectangle(1, 1, Width(), Height());
    c.Pen.SetWidth(1);
    c.Rectangle(tlbMain->Left() - 2, tlbMain->Top() - 2, tlbMain->Left() + tlbMain->Width() + 2,
                tlbMain->Top() + tlbMain->Height() + 2);
    picBoard->Picture.Changed();
}

void TfrmAbout::Form_KeyPress(TComponent*, char& Key) {
    if (Key != '\r' && Key != '\x1b' && Key != ' ') return;
    Key = 0;
    ModalResult = mrOk;
}

void TfrmAbout::tlnOKClick(TComponent*) { ModalResult = mrOk; }

void TfrmAbout::tmrShow_Timer(TComponent*) {
    // The reveal waits while a step draws.
    tmrShow->SetEnabled(false);
    bool open = true;
    TCanvas& board = picBoard->Picture.Bitmap().Canvas();
    switch (FStep) {
    case 0:
        if (TGraphic* logo = picLogo->Picture.Graphic()) {
            board.Draw((Width() - logo->Width()) / 2, picLogo->Top(), *logo);
            picBoard->Picture.Changed();
        }
        break;
    case 1:
        open = DrawLabel(picBoard, lblCopyright, lblCopyright->Left(), lblCopyright->Top(), FAnimate ? Typed : AtOnce);
        break;
    case 2:
        open = DrawLabel(picBoard, lblAllRights, lblAllRights->Left(), lblAllRights->Top(), FAnimate ? Typed : AtOnce);
        break;
    case 4:
        DrawLabel(picBoard, lblUserName, lblUserName->Left(), lblUserName->Top(), AtOnce);
        DrawLabel(picBoard, lblCompanyName, lblCompanyName->Left(), lblCompanyName->Top(), AtOnce);
        board.Pen.SetColor(clBlack);
        board.Pen.SetWidth(1);
        board.MoveTo(15, 230);
        board.LineTo(336, 230);
        picBoard->Picture.Changed();
        break;
    case 5: {
        // The warning wraps within its label's place.
        board.Font.Assign(lblWarning->Font);
        board.Brush.SetClear(true);
        RECT r = {lblWarning->Left(), lblWarning->Top(), lblWarning->Left() + lblWarning->Width(),
                  lblWarning->Top() + lblWarning->Height()};
        ::DrawTextA(board.Handle(), lblWarning->Caption().c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
        board.Brush.SetClear(false);
        picBoard->Picture.Changed();
        break;
    }
    case 10: open = DrawLabel(picVersion, lblVersion, 0, 0, FAnimate ? FadedIn : AtOnce); break;
    case kLastStep:
        if (FAnimate) tmrVersion->SetEnabled(true);
        return;
    default: break;
    }
    ++FStep;
    if (open) tmrShow->SetEnabled(true);
}

void TfrmAbout::tmrVersion_Timer(TComponent*) {
    if (tmrVersion->Interval() != kCycleInterval) tmrVersion->SetInterval(kCycleInterval);
    zvcom::NextCycleColor(FColorState, FVersionColor);
    PaintText(picVersion, lblVersion, 0, 0, lblVersion->Caption(), FVersionColor);
}

bool TfrmAbout::DrawLabel(TImage* Surface, TLabel* Label, int X, int Y, TManner Manner) {
    const std::string text = Label->Caption();
    const TColor color = ColorToRGB(Label->Font.Color());
    switch (Manner) {
    case AtOnce: PaintText(Surface, Label, X, Y, text, color); return true;
    case Typed: {
        TCanvas& c = Surface->Picture.Bitmap().Canvas();
        for (size_t i = 0; i < text.size(); ++i) {
            c.Font.Assign(Label->Font);
            PaintText(Surface, Label, X + c.TextWidth(text.substr(0, i)), Y, text.substr(i, 1), color);
            if (!Pause(kDrawPause)) return false;
        }
        return true;
    }
    case FadedIn:
        for (int pass = 0; pass < zvcom::kFadePasses; ++pass) {
            PaintText(Surface, Label, X, Y, text, zvcom::FadeColor(kGround, color, pass));
            if (!Pause(kDrawPause)) return false;
        }
        // The fade ends on the text's own colour.
        PaintText(Surface, Label, X, Y, text, color);
        return true;
    }
    return true;
}

void TfrmAbout::PaintText(TImage* Surface, TLabel* Label, int X, int Y, const std::string& Text, TColor Color) {
    TCanvas& c = Surface->Picture.Bitmap().Canvas();
    c.Font.Assign(Label->Font);
    c.Font.SetColor(Color);
    c.Brush.SetClear(false);
    c.Brush.SetColor(kGround);
    c.TextOut(X, Y, Text);
    Surface->Picture.Changed();
}

bool TfrmAbout::Pause(int Ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (Closing()) return false;
        const DWORD passed = GetTickCount() - start;
        if (passed >= static_cast<DWORD>(Ms)) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(Ms) - passed, QS_ALLINPUT);
    }
}

ZVCOM_API void WINAPI ZvShowAbout(TGraphic* Logo, const ShortString& Version, const ShortString& Copyright,
                                  const ShortString& ProductName, const ShortString& InfoLine, int VersionLeft,
                                  int VersionTop, bool Animate) {
    SafeCall([&] {
        auto frmAbout = std::make_unique<TfrmAbout>(Application);
        frmAbout->SetLogo(Logo);
        frmAbout->SetCaption(zvcom::ProductTitle.str());
        frmAbout->lblVersion->SetCaption("Version " + Version.str());
        frmAbout->lblCopyright->SetCaption(Copyright.str());
        frmAbout->picVersion->SetBounds(VersionLeft, VersionTop, 0, 0);
        frmAbout->lblUserName->SetCaption("For more informations about " + ProductName.str() + ", go to:");
        frmAbout->lblCompanyName->SetCaption(InfoLine.str());
        frmAbout->SetAnimate(Animate);
        frmAbout->ShowModal();
    });
}
