#include "Options.h"

#include <algorithm>
#include <string>

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

TfrmOptions* frmOptions = nullptr;

namespace {

constexpr int kMinSide = 10, kMaxSide = 1600;
// The browse buttons' glyph margin: with a 16-pixel glyph and the spacing
// that Form_Show computes, it puts the caption in the button's middle.
constexpr int kBrowseMargin = 4;
// The colour of the glyphs' transparent ground: the image list leaves it
// where the picture has none.
constexpr TColor kGlyphGround = 0xFF00FF;
constexpr const char* kOKHint = "Closes the dialog box and saves any changes you have made";
constexpr const char* kCancelHint = "Closes the dialog box without saving any changes you have made";
constexpr const char* kAutoHint =
    "Automatically do the tasks if you do not want the Startupdialog to be shown when Mirolux starts.";

unsigned char Byte(int Index) { return static_cast<unsigned char>(DefaultScreen[static_cast<size_t>(Index)]); }

// A side of the stored default screen, clamped as the New dialog reads it.
int StoredSide(int Index) { return std::clamp(Byte(Index) * 100 + Byte(Index + 1), kMinSide, kMaxSide); }

bool IsFolderPath(const std::string& Text) {
    return Text.size() >= 3 && Text[1] == ':' && Text[2] == '\\' && ZvDirExists(ShortString(Text));
}

}  // namespace

TfrmOptions::TfrmOptions(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmOptions", .Caption = "Options", .ClientWidth = 360, .ClientHeight = 318,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnCreate = Handler(&TfrmOptions::Form_Create), .OnShow = Handler(&TfrmOptions::Form_Show)});
    const TNotifyEvent dblClick = Handler(&TfrmOptions::Controls_DblClick);
    Add(pgcMain, {.Name = "pgcMain", .Left = 8, .Top = 8, .Width = 344, .Height = 270});
    Add(tabView, {.Name = "tabView", .Parent = pgcMain, .Caption = "View"});
    Add(tabGeneral, {.Name = "tabGeneral", .Parent = pgcMain, .Caption = "General"});
    Add(tabDefault, {.Name = "tabDefault", .Parent = pgcMain, .Caption = "Default"});

    // ---- View
    Add(fraViewShow, {.Name = "fraViewShow", .Parent = tabView, .Left = 8, .Top = 6, .Width = 144, .Height = 92,
                      .Caption = " Show "});
    Add(chkViewStartup, {.Name = "chkViewStartup", .Parent = fraViewShow, .Left = 10, .Top = 18, .Width = 130,
                         .Height = 17, .Caption = "St&artup dialog",
                         .Hint = "Displays the startup dialog box each time you start Mirolux",
                         .OnClick = Handler(&TfrmOptions::chkViewStartup_Click)});
    Add(chkViewNewDialog, {.Name = "chkViewNewDialog", .Parent = fraViewShow, .Left = 10, .Top = 42, .Width = 130,
                           .Height = 17, .Caption = "&New dialog",
                           .Hint = "Displays the New dialog box each time you insert a new screen"});
    Add(chkViewStatusBar, {.Name = "chkViewStatusBar", .Parent = fraViewShow, .Left = 10, .Top = 66, .Width = 130,
                           .Height = 17, .Caption = "&Status bar",
                           .Hint = "Displays the status bar at the bottom of the Mirolux window"});
    // The screen-tip choices take the room their longest caption needs.
    Add(fraViewScreentips, {.Name = "fraViewScreentips", .Parent = tabView, .Left = 158, .Top = 6, .Width = 176,
                            .Height = 92, .Caption = " Screentips "});
    Add(optViewScreentips1, {.Name = "optViewScreentips1", .Parent = fraViewScreentips, .Left = 8, .Top = 18,
                             .Width = 166, .Height = 17, .Caption = "&Everywhere",
                             .Hint = "Shows screentips everywhere", .OnDblClick = dblClick});
    Add(optViewScreentips2, {.Name = "optViewScreentips2", .Parent = fraViewScreentips, .Left = 8, .Top = 42,
                             .Width = 166, .Height = 17, .Caption = "&Toolbars and status bar only",
                             .Hint = "Shows screentips only at toolbars and status bar", .OnDblClick = dblClick});
    Add(optViewScreentips3, {.Name = "optViewScreentips3", .Parent = fraViewScreentips, .Left = 8, .Top = 66,
                             .Width = 166, .Height = 17, .Caption = "N&one", .Hint = "Does not show any screentips",
                             .OnDblClick = dblClick});
    Add(fraViewStartup, {.Name = "fraViewStartup", .Parent = tabView, .Left = 8, .Top = 104, .Width = 320,
                         .Height = 130, .Caption = " Startup "});
    Add(optViewStartup1, {.Name = "optViewStartup1", .Parent = fraViewStartup, .Left = 10, .Top = 18, .Width = 140,
                          .Height = 17, .Caption = "Stan&dard", .Hint = "Displays standard window when Mirolux start",
                          .OnDblClick = dblClick});
    Add(optViewStartup2, {.Name = "optViewStartup2", .Parent = fraViewStartup, .Left = 160, .Top = 18,
                          .Width = 140, .Height = 17, .Caption = "&Capture Wizard",
                          .Hint = "Displays Capture Wizard when Mirolux start", .OnDblClick = dblClick});
    Add(lblViewAuto, {.Name = "lblViewAuto", .Parent = fraViewStartup, .Left = 10, .Top = 20,
                      .Caption = "A&utomatically:"});
    Add(lstViewAuto, {.Name = "lstViewAuto", .Parent = fraViewStartup, .Left = 10, .Top = 36, .Width = 300,
                      .Height = 84, .Hint = kAutoHint, .OnDblClick = dblClick},
        [this](TListBox& l) {
            l.ItemHeight = 16;
            l.SetItems({"none", "create a new blank screen", "open an existing screen", "display capture themes",
                        "display screen capture dialog"});
            l.OnDrawItem = [this](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
                lstViewAuto_DrawItem(s, c, i, r, st);
            };
        });
    lblViewAuto->FocusControl = lstViewAuto;

    // ---- General
    Add(fraGeneralFile, {.Name = "fraGeneralFile", .Parent = tabGeneral, .Left = 8, .Top = 6, .Width = 320,
                         .Height = 170, .Caption = " File location "});
    AddLocation(1, 18, lblGeneralDocLocation, txtGeneralDocLocation, cmdGeneralDocBrowse, "Doc",
                "&Default document location:", "&Browse...", "Specifies the default document location for screens",
                "Changes the default document location");
    AddLocation(2, 68, lblGeneralBrowserLocation, txtGeneralBrowserLocation, cmdGeneralBrowserBrowse, "Browser",
                "&Catalog browser location:", "B&rowse...", "Specifies the catalog browser location",
                "Changes the catalog browser location");
    AddLocation(3, 118, lblGeneralAutoSaveLocation, txtGeneralAutoSaveLocation, cmdGeneralAutoSaveBrowse,
                "AutoSave", "Auto &save location:", "Br&owse...", "Specifies the auto save location",
                "Changes the auto save location");
    Add(chkGeneralUseDefaultColor, {.Name = "chkGeneralUseDefaultColor", .Parent = tabGeneral, .Left = 8,
                                    .Top = 186, .Width = 200, .Height = 17, .Caption = "&Use default color",
                                    .Hint = "Uses default color instead of current color"});
    Add(chkGeneralAnimateSelection, {.Name = "chkGeneralAnimateSelection", .Parent = tabGeneral, .Left = 8,
                                     .Top = 208, .Width = 200, .Height = 17, .Caption = "&Animated selection",
                                     .Hint = "Animates selection border"});

    // ---- Default
    Add(fraDefaultSize, {.Name = "fraDefaultSize", .Parent = tabDefault, .Left = 8, .Top = 6, .Width = 150,
                         .Height = 112, .Caption = " Screen size "});
    AddSizeField(18, "Width", "&Width:", "Specifies the side-to-side length of the default screen in pixels",
                 lblDefaultWidth, txtDefaultWidth, updDefaultWidth, lblDefaultWidthUnit);
    AddSizeField(46, "Height", "&Height:", "Specifies the top-to-bottom length of the default screen in pixels",
                 lblDefaultHeight, txtDefaultHeight, updDefaultHeight, lblDefaultHeightUnit);
    Add(lblDefaultColor, {.Name = "lblDefaultColor", .Parent = fraDefaultSize, .Left = 10, .Top = 82,
                          .Caption = "Color:"});
    Add(txtDefaultColor, {.Name = "txtDefaultColor", .Parent = fraDefaultSize, .Left = 52, .Top = 78, .Width = 21,
                          .Height = 21, .TabStop = false},
        [](TEdit& e) {
            e.SetReadOnly(true);
            e.SetColor(clWhite);
        });
    Add(cmdDefaultColor, {.Name = "cmdDefaultColor", .Parent = fraDefaultSize, .Left = 80, .Top = 76, .Width = 62,
                          .Height = 25, .Caption = "&Change...",
                          .Hint = "Changes the background color of the default screen",
                          .OnClick = Handler(&TfrmOptions::cmdDefaultColor_Click)});
    Add(fraDefaultOrientation, {.Name = "fraDefaultOrientation", .Parent = tabDefault, .Left = 8, .Top = 124,
                                .Width = 150, .Height = 80, .Caption = " Orientation "});
    Add(picDefaultOrientation, {.Name = "picDefaultOrientation", .Parent = fraDefaultOrientation, .Left = 10,
                                 .Top = 26, .Width = 32, .Height = 32},
        [this](TPaintBox& p) { p.OnPaint = Handler(&TfrmOptions::picDefaultOrientation_Paint); });
    Add(optDefaultPortrait, {.Name = "optDefaultPortrait", .Parent = fraDefaultOrientation, .Left = 52, .Top = 22,
                             .Width = 90, .Height = 17, .Caption = "&Portrait",
                             .Hint = "Specifies the default screen to be printed with its top along the short side "
                                     "of the paper",
                             .Tag = 1, .OnClick = Handler(&TfrmOptions::optDefaultOrientation_Click),
                             .OnDblClick = dblClick});
    Add(optDefaultLandscape, {.Name = "optDefaultLandscape", .Parent = fraDefaultOrientation, .Left = 52,
                              .Top = 46, .Width = 90, .Height = 17, .Caption = "&Landscape",
                              .Hint = "Specifies the default screen to be printed with its top along the long side "
                                      "of the paper",
                              .Tag = 2, .OnClick = Handler(&TfrmOptions::optDefaultOrientation_Click),
                              .OnDblClick = dblClick});

    Add(sclDefaultPreview, {.Name = "sclDefaultPreview", .Parent = tabDefault, .Left = 156, .Top = 12,
                            .Width = 182, .Height = 182,
                            .Hint = "Shows how the default screen will look with the selected options",
                            .BevelOuter = bvNone, .Color = clBtnShadow});
    Add(picDefaultPreview, {.Name = "picDefaultPreview", .Parent = sclDefaultPreview, .Left = 0, .Top = 0,
                            .Width = 182, .Height = 182,
                            .Hint = "Shows how the default screen will look with the selected options"},
        [this](TPaintBox& p) { p.OnPaint = Handler(&TfrmOptions::picDefaultPreview_Paint); });

    Add(cmdOK, {.Name = "cmdOK", .Left = 196, .Top = 286, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = kOKHint, .Default = true, .OnClick = Handler(&TfrmOptions::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 277, .Top = 286, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = kCancelHint, .Cancel = true, .OnClick = Handler(&TfrmOptions::cmdCancel_Click)});
    EndDescription();
}

void TfrmOptions::AddLocation(int Tag, int Top, TLabel*& Label, TEdit*& Edit, TBitBtn*& Browse, const char* Name,
                              const char* Caption, const char* BrowseCaption, const char* Hint,
                              const char* BrowseHint) {
    const std::string name = Name;
    Add(Label, {.Name = "lblGeneral" + name + "Location", .Parent = fraGeneralFile, .Left = 10, .Top = Top,
                .Caption = Caption});
    Add(Edit, {.Name = "txtGeneral" + name + "Location", .Parent = fraGeneralFile, .Left = 10, .Top = Top + 16,
               .Width = 194, .Height = 21, .Hint = Hint, .Tag = Tag,
               .OnExit = Handler(&TfrmOptions::txtGeneralLocation_Exit)},
        [this](TEdit& e) {
            e.OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txt_ContextPopup(s, p, h); };
        });
    Label->FocusControl = Edit;
    Add(Browse, {.Name = "cmdGeneral" + name + "Browse", .Parent = fraGeneralFile, .Left = 210, .Top = Top + 14,
                 .Width = 100, .Height = 25, .Caption = BrowseCaption, .Hint = BrowseHint, .Tag = Tag,
                 .OnClick = Handler(&TfrmOptions::cmdGeneralBrowse_Click),
                 .OnEnter = Handler(&TfrmOptions::cmdGeneralBrowse_Enter),
                 .OnExit = Handler(&TfrmOptions::cmdGeneralBrowse_Exit)},
        [](TBitBtn& b) { b.SetMargin(kBrowseMargin); });
}

void TfrmOptions::AddSizeField(int Top, const char* Name, const char* Caption, const char* Hint, TLabel*& Label,
                               TEdit*& Edit, TUpDown*& UpDown, TLabel*& Unit) {
    const std::string name = Name;
    Add(Label, {.Name = "lblDefault" + name, .Parent = fraDefaultSize, .Left = 10, .Top = Top + 4,
                .Caption = Caption});
    // Wide enough for "1600" beside the arrows.
    Add(Edit, {.Name = "txtDefault" + name, .Parent = fraDefaultSize, .Left = 52, .Top = Top, .Width = 54,
               .Height = 21, .Hint = Hint, .MaxLength = 4, .OnExit = Handler(&TfrmOptions::txtDefaultScreen_Exit)},
        [this](TEdit& e) {
            e.OnKeyPress = [this](TComponent* s, char& k) { txtDefaultScreen_KeyPress(s, k); };
            e.OnKeyUp = [this](TComponent* s, WORD& k) { txtDefaultScreen_KeyUp(s, k); };
            e.OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txt_ContextPopup(s, p, h); };
        });
    Label->FocusControl = Edit;
    Add(UpDown, {.Name = "updDefault" + name, .Parent = fraDefaultSize, .Left = 91, .Top = Top, .Width = 15,
                 .Height = 21, .Hint = Hint, .OnClick = Handler(&TfrmOptions::updDefaultScreen_Click)},
        [&](TUpDown& u) {
            u.SetMin(kMinSide);
            u.SetMax(kMaxSide);
            u.SetIncrement(10);
            u.Thousands = false;
            u.SetAssociate(Edit);
        });
    Add(Unit, {.Name = "lblDefault" + name + "Unit", .Parent = fraDefaultSize, .Left = 114, .Top = Top + 4,
               .Caption = "Pixels"});
}

void TfrmOptions::Form_Create(TComponent*) {
    optViewStartup1->Hide();
    optViewStartup2->Hide();
    // The hint breaks into two lines after "Startup": the split position
    // counts the characters kept on the first line, the "p" included.
    ShortString hint;
    ZvSplitStr(ShortString(lstViewAuto->Hint), static_cast<int>(lstViewAuto->Hint.find('p')) + 1, hint);
    lstViewAuto->Hint = hint.str();
    // The browse buttons show the open folder of File > Open.
    for (TBitBtn* b : {cmdGeneralDocBrowse, cmdGeneralBrowserBrowse, cmdGeneralAutoSaveBrowse}) {
        b->Glyph.SetSize(16, 16);
        b->Glyph.Canvas().Brush.SetColor(kGlyphGround);
        b->Glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
        frmMain->imlImages->Draw(b->Glyph.Canvas(), 0, 0, Images::Open, true);
    }
}

void TfrmOptions::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    CentreBrowseCaptions();
    chkViewStartup->SetChecked(HasOption(OptStartupDialog));
    chkViewNewDialog->SetChecked(HasOption(OptNewDialog));
    chkViewStatusBar->SetChecked(HasOption(OptStatusBar));
    chkViewStartup_Click(chkViewStartup);
    static_cast<TRadioButton*>(FindComponent("optViewScreentips" + std::to_string(ZvScreentipsType() + 1)))
        ->SetChecked(true);
    (MainWindow == 0 ? optViewStartup1 : optViewStartup2)->SetChecked(true);
    lstViewAuto->SetItemIndex(StartupAuto);
    txtGeneralDocLocation->SetText(FileLocation);
    txtGeneralBrowserLocation->SetText(BrowserLocation);
    txtGeneralAutoSaveLocation->SetText(AutoSaveLocation);
    chkGeneralUseDefaultColor->SetChecked(HasOption(OptUseDefaultColor));
    chkGeneralAnimateSelection->SetChecked(HasOption(OptAnimatedSelection));
    updDefaultWidth->SetPosition(StoredSide(0));
    updDefaultHeight->SetPosition(StoredSide(2));
    txtDefaultColor->SetColor(static_cast<TColor>(RGB(Byte(4), Byte(5), Byte(6))));
    UpdateDefaultScreen();
    pgcMain->SetActivePage(tabView);
    chkViewStartup->SetFocus();
}

void TfrmOptions::CentreBrowseCaptions() {
    // The three captions are alike once their "&" is gone: the spacing
    // worked out for the first suits all three, which then look alike.
    std::string caption = cmdGeneralDocBrowse->Caption();
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    TCanvas& canvas = cmdGeneralDocBrowse->Glyph.Canvas();
    canvas.Font.Assign(cmdGeneralDocBrowse->Font);
    const int spacing = std::max((cmdGeneralDocBrowse->Width() - canvas.TextWidth(caption)) / 2 - 20, 4);
    for (TBitBtn* b : {cmdGeneralDocBrowse, cmdGeneralBrowserBrowse, cmdGeneralAutoSaveBrowse}) b->SetSpacing(spacing);
}

void TfrmOptions::Controls_DblClick(TComponent*) {
    if (!cmdOK->Enabled()) return;
    cmdOK->SetFocus();
    cmdOK_Click(cmdOK);
}

void TfrmOptions::chkViewStartup_Click(TComponent*) {
    // The automatic action stands in for the start-up dialog.
    const bool automatic = !chkViewStartup->Checked();
    lblViewAuto->SetEnabled(automatic);
    lstViewAuto->SetEnabled(automatic);
    lstViewAuto->SetColor(automatic ? clWindow : clBtnFace);
}

void TfrmOptions::lstViewAuto_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    const bool enabled = lstViewAuto->Enabled();
    if (!enabled) {
        Canvas.Brush.SetColor(clBtnFace);
        Canvas.Font.SetColor(clBtnShadow);
    }
    Canvas.FillRect(Rect);
    static const int kPictures[] = {-1, Images::New, Images::Open, Images::Theme, Images::ScreenCapture};
    if (Index > 0 && Index < 5) frmMain->imlImages->Draw(Canvas, Rect.left + 1, Rect.top, kPictures[Index], enabled);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, lstViewAuto->Items()[static_cast<size_t>(Index)]);
}

TEdit* TfrmOptions::LocationEdit(int Tag) const {
    return Tag == 1 ? txtGeneralDocLocation : Tag == 2 ? txtGeneralBrowserLocation : txtGeneralAutoSaveLocation;
}

void TfrmOptions::txtGeneralLocation_Exit(TComponent* Sender) {
    TEdit* edit = LocationEdit(Sender->Tag);
    std::string text = edit->Text();
    // A drive root such as C:\ keeps its backslash.
    if (text.size() > 3 && text.back() == '\\') edit->SetText(text.substr(0, text.size() - 1));
}

void TfrmOptions::cmdGeneralBrowse_Click(TComponent* Sender) {
    static const char* const kPrompts[] = {"Choose a default document location below.",
                                           "Choose a catalog browser location below.",
                                           "Choose an auto save location below."};
    auto* button = static_cast<TBitBtn*>(Sender);
    TEdit* edit = LocationEdit(Sender->Tag);
    button->SetFocus();
    SetFormBusy(this, false);
    ShortString folder(edit->Text());
    const int result = ZvShowBrowse(ShortString(kPrompts[Sender->Tag - 1]), folder, ShortString(""));
    if (result == mrOk && folder.str() != edit->Text()) edit->SetText(folder.str());
    SetFormBusy(this, true);
    cmdOK->SetFocus();
}

// The focused browse button's glyph and caption stand a pixel further right.
void TfrmOptions::cmdGeneralBrowse_Enter(TComponent* Sender) {
    static_cast<TBitBtn*>(Sender)->SetMargin(kBrowseMargin + 1);
}

void TfrmOptions::cmdGeneralBrowse_Exit(TComponent* Sender) { static_cast<TBitBtn*>(Sender)->SetMargin(kBrowseMargin); }

void TfrmOptions::txt_ContextPopup(TComponent* Sender, POINT MousePos, bool& Handled) {
    ZvComEditMenu(static_cast<TWinControl*>(Sender), MousePos.x, MousePos.y);
    Handled = true;
}

void TfrmOptions::txtDefaultScreen_KeyPress(TComponent*, char& Key) {
    if ((Key >= '0' && Key <= '9') || Key == '\b')
        UpdateDefaultScreen();
    else
        Key = 0;
}

void TfrmOptions::txtDefaultScreen_KeyUp(TComponent*, WORD&) { UpdateDefaultScreen(); }

void TfrmOptions::txtDefaultScreen_Exit(TComponent* Sender) {
    auto* edit = static_cast<TEdit*>(Sender);
    const int side = std::clamp(NumberIn(edit->Text()), kMinSide, kMaxSide);
    edit->SetText(std::to_string(side));
    (edit == txtDefaultWidth ? updDefaultWidth : updDefaultHeight)->SetPosition(side);
    UpdateDefaultScreen();
}

void TfrmOptions::updDefaultScreen_Click(TComponent* Sender) {
    static_cast<TEdit*>(FindComponent("txt" + Sender->Name().substr(3)))->SetFocus();
    UpdateDefaultScreen();
}

void TfrmOptions::optDefaultOrientation_Click(TComponent* Sender) {
    if (!FUpdating) {
        const int w = DefaultWidth(), h = DefaultHeight();
        const bool portrait = Sender->Tag == 1;
        txtDefaultWidth->SetText(std::to_string(portrait ? std::min(w, h) : std::max(w, h)));
        txtDefaultHeight->SetText(std::to_string(portrait ? std::max(w, h) : std::min(w, h)));
        UpdateDefaultScreen();
    }
    picDefaultOrientation->Invalidate();
}

void TfrmOptions::picDefaultOrientation_Paint(TComponent*) {
    frmMain->imlCommon->Draw(picDefaultOrientation->Canvas(), 0, 0,
                             optDefaultPortrait->Checked() ? CommonImages::Portrait : CommonImages::Landscape, true);
}

void TfrmOptions::picDefaultPreview_Paint(TComponent*) {
    DrawScreenPreview(picDefaultPreview->Canvas(), picDefaultPreview->Width(), picDefaultPreview->Height(),
                      DefaultWidth(), DefaultHeight(), txtDefaultColor->Color());
}

LRESULT TfrmOptions::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_SYSCOLORCHANGE) UpdateDefaultScreen();
    return TForm::WndProc(Msg, WParam, LParam);
}

void TfrmOptions::cmdDefaultColor_Click(TComponent*) {
    cmdDefaultColor->SetFocus();
    SetFormBusy(this, false);
    TColor color = txtDefaultColor->Color();
    ZvShowColor(ShortString("Options"), color);
    if (color != txtDefaultColor->Color()) {
        txtDefaultColor->SetColor(color);
        UpdateDefaultScreen();
    }
    SetFormBusy(this, true);
    cmdOK->SetFocus();
}

int TfrmOptions::DefaultWidth() const { return NumberIn(txtDefaultWidth->Text()); }

int TfrmOptions::DefaultHeight() const { return NumberIn(txtDefaultHeight->Text()); }

void TfrmOptions::UpdateDefaultScreen() {
    FUpdating = true;
    (DefaultWidth() < DefaultHeight() ? optDefaultPortrait : optDefaultLandscape)->SetChecked(true);
    FUpdating = false;
    picDefaultPreview->Invalidate();
}

void TfrmOptions::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    for (int tag = 1; tag <= 3; ++tag) {
        TEdit* edit = LocationEdit(tag);
        if (IsFolderPath(edit->Text())) continue;
        ZvMessageBox(ShortString(("Cannot find '" + edit->Text() + "'. Make sure the path is correct.").substr(0, 255)),
                     ShortString(""), 1, 16, ShortString("OK"), ShortString(""), ShortString(""));
        pgcMain->SetActivePage(tabGeneral);
        edit->SetFocus();
        return;
    }
    SetOption(OptStartupDialog, chkViewStartup->Checked());
    SetOption(OptNewDialog, chkViewNewDialog->Checked());
    SetOption(OptStatusBar, chkViewStatusBar->Checked());
    ZvSaveScreentips(optViewScreentips1->Checked() ? 0 : optViewScreentips2->Checked() ? 1 : 2);
    MainWindow = optViewStartup1->Checked() ? 0 : 1;
    StartupAuto = lstViewAuto->ItemIndex();
    FileLocation = txtGeneralDocLocation->Text();
    BrowserLocation = txtGeneralBrowserLocation->Text();
    AutoSaveLocation = txtGeneralAutoSaveLocation->Text();
    SetOption(OptUseDefaultColor, chkGeneralUseDefaultColor->Checked());
    SetOption(OptAnimatedSelection, chkGeneralAnimateSelection->Checked());
    const int w = DefaultWidth(), h = DefaultHeight();
    const TColor c = txtDefaultColor->Color();
    DefaultScreen = {static_cast<char>(w / 100), static_cast<char>(w % 100), static_cast<char>(h / 100),
                     static_cast<char>(h % 100), static_cast<char>(ZvRed(c)), static_cast<char>(ZvGreen(c)),
                     static_cast<char>(ZvBlue(c))};
    ModalResult = mrOk;
}

void TfrmOptions::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}
