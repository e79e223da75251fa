#include "Font.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "DialogLook.h"
#include "ProgramValues.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

namespace {

const char* const kFontKey = "Software\\Zelvani\\Common\\Font";
// The stored flag: 1 when the preview shows the font's name.
constexpr int kUseFontName = 1;
constexpr const char* kDefaultPreviewText = "AaBbYyZz";
// Page Up and Page Down move the choice of a list by this many items.
constexpr int kPageStep = 6;
// Item 2 and 3 are bold, 1 and 3 italic.
const std::vector<std::string> kStyles = {"Regular", "Italic", "Bold", "Bold Italic"};
const std::vector<std::string> kSizes = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                         "20", "22", "24", "26", "28", "36", "48", "72"};
constexpr int kSizeDigits = 3;

std::string Upper(std::string S) {
    CharUpperBuffA(S.data(), static_cast<DWORD>(S.size()));
    return S;
}

// The size typed into the size field, or 0 when the text is no size: a
// size is a number of one to three digits above 0.
int TypedSize(const std::string& Text) {
    if (Text.empty() || Text.size() > kSizeDigits) return 0;
    if (!std::all_of(Text.begin(), Text.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
    return std::stoi(Text);
}

bool SameFont(const TFont& A, const TFont& B) {
    return A.Name() == B.Name() && A.Size() == B.Size() && A.Style() == B.Style() && A.Color() == B.Color();
}

}  // namespace

TfrmFont::TfrmFont(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmFont", .Caption = "Font", .ClientWidth = 389, .ClientHeight = 314, .BorderStyle = bsDialog,
              .BorderIcons = biSystemMenu, .Position = poScreenCenter, .FontName = "MS Sans Serif", .FontSize = 8,
              .OnShow = Handler(&TfrmFont::Form_Show)});
    const auto edit = [this](TEdit*& Edit, TLabel*& Label, const char* Name, const char* LabelName,
                             const char* Caption, int Left, int Width, int Tag, int MaxLength, const char* Hint) {
        Add(Label, {.Name = LabelName, .Left = Left, .Top = 8, .Caption = Caption});
        Add(Edit, {.Name = Name, .Left = Left, .Top = 24, .Width = Width, .Height = 21, .Hint = Hint, .Tag = Tag,
                   .MaxLength = MaxLength, .OnChange = Handler(&TfrmFont::txt_Change),
                   .OnExit = Handler(&TfrmFont::txt_Exit)});
        Label->FocusControl = Edit;
        Edit->OnKeyDown = [this](TComponent* s, WORD& k) { txt_KeyDown(s, k); };
        Edit->OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txt_ContextPopup(s, p, h); };
    };
    const auto list = [this](TListBox*& List, const char* Name, int Left, int Width, int Height, bool TabStop,
                             const char* Hint, const std::vector<std::string>& Items) {
        Add(List, {.Name = Name, .Left = Left, .Top = 45, .Width = Width, .Height = Height, .Hint = Hint,
                   .TabStop = TabStop, .OnClick = Handler(&TfrmFont::lst_Click),
                   .OnDblClick = Handler(&TfrmFont::lst_Click)},
            [&](TListBox& l) {
                l.ItemHeight = 16;
                l.SetItems(Items);
            });
    };
    edit(txtFont, lblFont, "txtFont", "lblFont", "&Font:", 8, 145, 1, 100, "Lists the available fonts");
    list(lstFont, "lstFont", 8, 145, 100, false, "Lists the available fonts", {});
    edit(txtStyle, lblStyle, "txtStyle", "lblStyle", "Font st&yle:", 161, 105, 2, 20,
         "Lists the available styles for the specified font");
    list(lstStyle, "lstStyle", 161, 105, 100, true, "Lists the available styles for the specified font", kStyles);
    edit(txtSize, lblSize, "txtSize", "lblSize", "&Size:", 274, 50, 3, kSizeDigits,
         "Lists the available point sizes for the specified font");
    list(lstSize, "lstSize", 274, 50, 100, true, "Lists the available point sizes for the specified font", kSizes);

    Add(fraEffects, {.Name = "fraEffects", .Left = 8, .Top = 152, .Width = 145, .Height = 99, .Caption = " Effects "});
    Add(chkStrikeOut, {.Name = "chkStrikeOut", .Parent = fraEffects, .Left = 10, .Top = 18, .Width = 125, .Height = 17,
                       .Caption = "Stri&kethrough",
                       .Hint = "Specifies whether the font should appear with strikeout marks",
                       .OnClick = Handler(&TfrmFont::chk_Click)});
    Add(chkUnderline, {.Name = "chkUnderline", .Parent = fraEffects, .Left = 10, .Top = 38, .Width = 125, .Height = 17,
                       .Caption = "&Underline", .Hint = "Specifies whether the font should appear with underlines",
                       .OnClick = Handler(&TfrmFont::chk_Click)});
    Add(lblColor, {.Name = "lblColor", .Parent = fraEffects, .Left = 10, .Top = 68, .Caption = "Color:"});
    Add(txtColor, {.Name = "txtColor", .Parent = fraEffects, .Left = 44, .Top = 65, .Width = 19, .Height = 19,
                   .Enabled = false, .TabStop = false});
    Add(cmdColor, {.Name = "cmdColor", .Parent = fraEffects, .Left = 70, .Top = 63, .Width = 65, .Height = 23,
                   .Caption = "&Change...", .Hint = "Changes the color for the specified font",
                   .OnClick = Handler(&TfrmFont::cmdColor_Click)});

    Add(lblPreview, {.Name = "lblPreview", .Left = 161, .Top = 152, .Caption = "Preview:"});
    Add(picPreview, {.Name = "picPreview", .Left = 161, .Top = 168, .Width = 200, .Height = 83});
    Add(chkUseFontName, {.Name = "chkUseFontName", .Left = 161, .Top = 256, .Width = 200, .Height = 17,
                         .Caption = "Use font &name as preview text", .Hint = "Shows the preview with font name",
                         .OnClick = Handler(&TfrmFont::chk_Click)});
    Add(cmdOK, {.Name = "cmdOK", .Left = 208, .Top = 281, .Width = 85, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmFont::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 298, .Top = 281, .Width = 85, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TfrmFont::cmdCancel_Click)});
    EndDescription();
}

TListBox* TfrmFont::ListOf(TComponent* Edit) const {
    switch (Edit->Tag) {
    case 1: return lstFont;
    case 2: return lstStyle;
    default: return lstSize;
    }
}

TEdit* TfrmFont::EditOf(TListBox* List) const {
    return List == lstFont ? txtFont : List == lstStyle ? txtStyle : txtSize;
}

std::string TfrmFont::Chosen(TListBox* List) {
    const int i = List->ItemIndex();
    return i >= 0 && i < static_cast<int>(List->Items().size()) ? List->Items()[static_cast<size_t>(i)] : "";
}

void TfrmFont::ChooseAndShow(TListBox* List, int Index) {
    List->SetItemIndex(Index);
    TEdit* edit = EditOf(List);
    edit->SetText(Chosen(List));
    SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
}

// The screen's TrueType fonts.
void TfrmFont::FillFonts() {
    std::vector<std::string> fonts = Screen.Fonts();
    fonts.erase(std::remove_if(fonts.begin(), fonts.end(),
                               [](const std::string& f) { return !ZvFontTrueType(ShortString(f)); }),
                fonts.end());
    lstFont->SetItems(fonts);
}

void TfrmFont::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    FillFonts();
    // The caller's font, else Arial, else the last one.
    const std::vector<std::string>& fonts = lstFont->Items();
    const auto named = [&](const std::string& Name) {
        return std::find_if(fonts.begin(), fonts.end(), [&](const std::string& f) { return Upper(f) == Upper(Name); });
    };
    auto font = named(FontName);
    if (font == fonts.end()) font = named("ARIAL");
    lstFont->SetItemIndex(font != fonts.end() ? static_cast<int>(font - fonts.begin()) : static_cast<int>(fonts.size()) - 1);
    txtFont->SetText(Chosen(lstFont));

    lstStyle->SetItemIndex(((Style & fsBold) ? 2 : 0) + ((Style & fsItalic) ? 1 : 0));
    chkUnderline->SetChecked((Style & fsUnderline) != 0);
    chkStrikeOut->SetChecked((Style & fsStrikeOut) != 0);
    txtStyle->SetText(Chosen(lstStyle));
    const std::string size = std::to_string(Size);
    const auto sized = std::find(kSizes.begin(), kSizes.end(), size);
    lstSize->SetItemIndex(sized != kSizes.end() ? static_cast<int>(sized - kSizes.begin()) : -1);
    txtSize->SetText(size);

    PreviewFont.SetName(FontName);
    PreviewFont.SetSize(Size);
    PreviewFont.SetStyle(Style);
    PreviewFont.SetColor(Color);
    txtColor->SetColor(Color);
    txtFont->SetFocus();
    FPreviewReady = true;
    UpdatePreview(false);
}

void TfrmFont::UpdatePreview(bool OnlyIfChanged) {
    if (!FPreviewReady) return;
    TFont font;
    font.SetName(lstFont->ItemIndex() >= 0 ? Chosen(lstFont) : PreviewFont.Name());
    const int typed = TypedSize(txtSize->Text());
    font.SetSize(typed > 0 ? typed : PreviewFont.Size());
    const int style = lstStyle->ItemIndex();
    font.SetStyle(static_cast<TFontStyles>((style == 2 || style == 3 ? fsBold : 0) |
                                           (style == 1 || style == 3 ? fsItalic : 0) |
                                           (chkUnderline->Checked() ? fsUnderline : 0) |
                                           (chkStrikeOut->Checked() ? fsStrikeOut : 0)));
    font.SetColor(txtColor->Color());
    if (OnlyIfChanged && SameFont(font, PreviewFont)) return;

    TBitmap& b = picPreview->Picture.Bitmap();
    const int w = picPreview->Width(), h = picPreview->Height();
    b.SetSize(w, h);
    TCanvas& c = b.Canvas();
    c.Brush.SetColor(clWhite);
    c.FillRect(RECT{0, 0, w, h});
    c.Font.Assign(font);
    const std::string text = chkUseFontName->Checked() ? font.Name() : PreviewText;
    const SIZE extent = c.TextExtent(text);
    c.TextOut((w - extent.cx) / 2, (h - extent.cy) / 2, text);
    c.Pen.SetColor(clBlack);
    c.MoveTo(0, 0);
    c.LineTo(0, h - 1);
    c.LineTo(w - 1, h - 1);
    c.LineTo(w - 1, 0);
    c.LineTo(0, 0);
    picPreview->Picture.Changed();
    PreviewFont.Assign(font);
}

void TfrmFont::lst_Click(TComponent* Sender) {
    auto* list = static_cast<TListBox*>(Sender);
    TEdit* edit = EditOf(list);
    edit->SetText(Chosen(list));
    edit->SetFocus();
    UpdatePreview(true);
}

void TfrmFont::txt_Change(TComponent* Sender) {
    const std::string text = Upper(static_cast<TEdit*>(Sender)->Text());
    TListBox* list = ListOf(Sender);
    const std::vector<std::string>& items = list->Items();
    if (!items.empty()) {
        if (list == lstFont) {
            // The first font at or after the text, as far as it goes.
            const auto at = std::find_if(items.begin(), items.end(), [&](const std::string& f) { return Upper(f) >= text; });
            list->SetItemIndex(at != items.end() ? static_cast<int>(at - items.begin()) : static_cast<int>(items.size()) - 1);
        } else {
            const auto at = std::find_if(items.begin(), items.end(), [&](const std::string& i) { return Upper(i) == text; });
            if (at != items.end()) list->SetItemIndex(static_cast<int>(at - items.begin()));
        }
    }
    UpdatePreview(true);
}

void TfrmFont::txt_Exit(TComponent* Sender) {
    TListBox* list = ListOf(Sender);
    // A size may be one the list does not have.
    if (list != lstSize && list->ItemIndex() >= 0) static_cast<TEdit*>(Sender)->SetText(Chosen(list));
    UpdatePreview(true);
}

void TfrmFont::txt_KeyDown(TComponent* Sender, WORD& Key) {
    TListBox* list = ListOf(Sender);
    const int count = static_cast<int>(list->Items().size());
    if (count == 0) return;
    const int i = list->ItemIndex();  // -1 when none is chosen
    int next;
    switch (Key) {
    case VK_PRIOR: next = i < kPageStep + 1 ? 0 : i - kPageStep; break;
    case VK_NEXT: next = i >= count - (kPageStep + 1) ? count - 1 : i + kPageStep; break;
    case VK_UP: next = std::max(i - 1, 0); break;
    case VK_DOWN: next = std::min(i + 1, count - 1); break;
    default: return;
    }
    ChooseAndShow(list, next);
    Key = 0;
    UpdatePreview(true);
}

void TfrmFont::txt_ContextPopup(TComponent* Sender, POINT MousePos, bool& Handled) {
    ZvComEditMenu(static_cast<TEdit*>(Sender), MousePos.x, MousePos.y);
    Handled = true;
}

void TfrmFont::chk_Click(TComponent*) { UpdatePreview(false); }

void TfrmFont::cmdColor_Click(TComponent*) {
    cmdColor->SetFocus();
    TColor color = txtColor->Color();
    ZvShowColor(ShortString("TextFont"), color);
    if (color != txtColor->Color()) {
        txtColor->SetColor(color);
        UpdatePreview(true);
    }
    cmdOK->SetFocus();
}

void TfrmFont::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    FontName = PreviewFont.Name();
    Size = PreviewFont.Size();
    Style = PreviewFont.Style();
    Color = PreviewFont.Color();
    ModalResult = mrOk;
}

void TfrmFont::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

ZVCOM_API bool WINAPI ZvShowFont(const ShortString& Key, const ShortString& PreviewText, ShortString& FontName,
                                 int& Size, TFontStyles& Style, TColor& Color) {
    return Guarded(false, [&] {
        const std::string name = zvcom::ProgramValueName(Key.str());
        int flag = zvcom::ReadProgramValue(kFontKey, name, 0);
        bool confirmed = false;
        {
            auto frmFont = std::make_unique<TfrmFont>(Application);
            frmFont->PreviewText = PreviewText.Length ? PreviewText.str() : kDefaultPreviewText;
            frmFont->FontName = FontName.str();
            frmFont->Size = Size;
            frmFont->Style = Style;
            frmFont->Color = Color;
            if (flag == kUseFontName) frmFont->chkUseFontName->SetChecked(true);
            confirmed = frmFont->ShowModal() == mrOk;
            if (confirmed) {
                FontName.assign(frmFont->FontName);
                Size = frmFont->Size;
                Style = frmFont->Style;
                Color = frmFont->Color;
                flag = frmFont->chkUseFontName->Checked() ? kUseFontName : 0;
            }
        }
        zvcom::WriteProgramValue(kFontKey, name, flag);
        return confirmed;
    });
}
