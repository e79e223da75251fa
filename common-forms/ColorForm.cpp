#include "ColorForm.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "DialogLook.h"
#include "Zelvani.h"
#include "ZvColor.h"
#include "ZvCom.h"

using namespace forms;

namespace {

constexpr int kCellWidth = 23, kCellHeight = 22, kColumns = 8;
// The pixel of a cell that the keys move the mouse pointer to.
constexpr POINT kCellPoint = {12, 11};
// The ground of the palette's swatch pictures, which shows through: a
// colour that no palette colour has.
constexpr TColor kSwatchGround = 0x030201;
// A number field with its arrows, which take 15 pixels of it.
constexpr int kFieldWidth = 47;

constexpr const char* kSwatchHint =
    "The New color is the one you selected in this dialog box,the Current color is the existing color of the object.";

// A swatch picture for a palette button: the colour in a grey frame.
std::unique_ptr<TBitmap> SwatchPicture(TColor Color) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(16, 16);
    TCanvas& c = b->Canvas();
    c.Brush.SetColor(kSwatchGround);
    c.FillRect(RECT{0, 0, 16, 16});
    c.Pen.SetColor(clBtnShadow);
    c.Brush.SetColor(Color);
    c.Rectangle(1, 1, 15, 15);
    return b;
}

// The number in a field: its digits, 0 for an empty text or any text that
// is not a plain number (pasted text, say).
int NumberIn(const std::string& Text) {
    if (Text.empty() || Text.size() > 9) return 0;
    for (char ch : Text)
        if (ch < '0' || ch > '9') return 0;
    return std::stoi(Text);
}

}  // namespace

TColorForm::TColorForm(TComponent* AOwner) : TForm(AOwner) {}

void TColorForm::AddStandardPage(int PagesHeight) {
    Add(pgcMain, {.Name = "pgcMain", .Left = 8, .Top = 8, .Width = 265, .Height = PagesHeight});
    Add(tabStandard, {.Name = "tabStandard", .Parent = pgcMain, .Caption = "Standard"});
    Add(lblStandardColor, {.Name = "lblStandardColor", .Parent = tabStandard, .Left = 8, .Top = 10,
                           .Caption = "&Color:"});
    Add(txtStandardColor, {.Name = "txtStandardColor", .Parent = tabStandard, .Left = 44, .Top = 6, .Width = 21,
                           .Height = 21});
    lblStandardColor->FocusControl = txtStandardColor;
    txtStandardColor->OnKeyDown = [this](TComponent* s, WORD& k) { txtStandardColor_KeyDown(s, k); };
    txtStandardColor->OnKeyPress = [this](TComponent* s, char& k) { txtStandardColor_KeyPress(s, k); };
}

void TColorForm::AddPalette(const TNamedColor* Colors, int Count) {
    imlColor = new TImageList(this);
    imlColor->SetName("imlColor");
    const int rows = Count / kColumns;
    Add(tlbColor, {.Name = "tlbColor", .Parent = tabStandard, .Left = 8, .Top = 32, .Width = kColumns * kCellWidth,
                   .Height = rows * kCellHeight},
        [this](TToolBar& bar) {
            bar.Images = imlColor;
            bar.ButtonWidth = kCellWidth;
            bar.ButtonHeight = kCellHeight;
        });
    for (int i = 0; i < Count; ++i) {
        auto* button = new TToolButton(this);
        button->SetName("tlnColor" + std::to_string(i + 1));
        button->Hint = Colors[i].Name;
        button->Tag = Colors[i].Color;
        button->ImageIndex = imlColor->Add(SwatchPicture(Colors[i].Color));
        button->Wrap = (i + 1) % kColumns == 0;
        button->OnClick = Handler(&TColorForm::tlnColor_Click);
        tlbColor->Add(button);
        FCells.push_back(button);
    }
}

TEdit* TColorForm::AddNumberField(TEdit*& Edit, TLabel*& Label, TUpDown*& UpDown, TWinControl* Page,
                                  const std::string& Digits, const char* Caption, int Left, int LabelWidth, int Top,
                                  int Max, const char* Hint) {
    Add(Label, {.Name = "lblCustom" + Digits, .Parent = Page, .Left = Left, .Top = Top + 4, .Caption = Caption});
    // The up-down takes its width from the edit's right end; what is left
    // shows three digits whole.
    Add(Edit, {.Name = "txtCustom" + Digits, .Parent = Page, .Left = Left + LabelWidth, .Top = Top, .Width = kFieldWidth,
               .Height = 21, .Caption = "0", .Hint = Hint, .Tag = Max, .MaxLength = 3,
               .OnEnter = Handler(&TColorForm::txtCustom_Enter), .OnExit = Handler(&TColorForm::txtCustom_Exit)});
    Label->FocusControl = Edit;
    Edit->OnKeyPress = [this](TComponent* s, char& k) { txtCustom_KeyPress(s, k); };
    Edit->OnKeyUp = [this](TComponent* s, WORD& k) { txtCustom_KeyUp(s, k); };
    Edit->OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txtCustom_ContextPopup(s, p, h); };
    Add(UpDown, {.Name = "updCustom" + Digits, .Parent = Page, .Left = Left + LabelWidth + kFieldWidth - 15, .Top = Top,
                 .Width = 15, .Height = 21, .Hint = Hint, .OnClick = Handler(&TColorForm::updCustom_Click)},
        [&](TUpDown& u) {
            u.SetMax(Max);
            u.Thousands = false;
            // The hue goes round its circle: 359 and one more is 0.
            u.Wrap = Max == 359;
            u.SetAssociate(Edit);
        });
    return Edit;
}

void TColorForm::AddNumberFields(TWinControl* Page, int Top) {
    AddNumberField(txtCustom11, lblCustom11, updCustom11, Page, "11", "&Hue:", 4, 28, Top, 359,
                   "Specifies the intensity of the hue in a color");
    AddNumberField(txtCustom12, lblCustom12, updCustom12, Page, "12", "&Sat:", 83, 38, Top, 255,
                   "Specifies the amount of saturation in a color");
    AddNumberField(txtCustom13, lblCustom13, updCustom13, Page, "13", "&Value:", 172, 37, Top, 255,
                   "Specifies the amount of brightness in a color");
    AddNumberField(txtCustom21, lblCustom21, updCustom21, Page, "21", "&Red:", 4, 28, Top + 26, 255,
                   "Specifies the amount of red in a color");
    AddNumberField(txtCustom22, lblCustom22, updCustom22, Page, "22", "&Green:", 83, 38, Top + 26, 255,
                   "Specifies the amount of green in a color");
    AddNumberField(txtCustom23, lblCustom23, updCustom23, Page, "23", "&Blue:", 172, 37, Top + 26, 255,
                   "Specifies the amount of blue in a color");
}

void TColorForm::AddSwatchAndButtons(int ButtonTop) {
    ShortString hint;
    ZvSplitStr(ShortString(kSwatchHint), static_cast<int>(std::string(kSwatchHint).find(',')) + 1, hint);
    // The swatch column and the buttons stand right of the pages, which
    // are wide enough for the number fields' three digits beside their
    // arrows.
    Add(lblMainNew, {.Name = "lblMainNew", .Left = 276, .Top = 30, .Width = 61, .Height = 13, .Caption = "New",
                     .AutoSize = false, .Alignment = taCenter});
    Add(picMainColor, {.Name = "picMainColor", .Left = 276, .Top = 46, .Width = 61, .Height = 71, .Hint = hint.str()});
    Add(lblMainCurrent, {.Name = "lblMainCurrent", .Left = 276, .Top = 121, .Width = 61, .Height = 13,
                         .Caption = "Current", .AutoSize = false, .Alignment = taCenter});
    Add(cmdOK, {.Name = "cmdOK", .Left = 178, .Top = ButtonTop, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TColorForm::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 259, .Top = ButtonTop, .Width = 75, .Height = 25,
                    .Caption = "Cancel", .Hint = "Closes the dialog box without saving any changes you have made",
                    .Cancel = true, .OnClick = Handler(&TColorForm::cmdCancel_Click)});
}

void TColorForm::ApplyLook() {
    ApplyDialogLook(*this);
    // The palette's tool bar shows its tips also where only the bars do.
    tlbColor->SetShowHint(ZvScreentipsType() < 2);
}

// ---- the new colour --------------------------------------------------------

void TColorForm::UpdateColor(TUpdateMode Mode) {
    switch (Mode) {
    case FromColor: {
        // A system colour, or a stored colour with a stray high byte, is
        // taken by the value it shows.
        const COLORREF shown = ColorToRGB(NewColor);
        R = GetRValue(shown);
        G = GetGValue(shown);
        B = GetBValue(shown);
        ZvRGBHSV(R, G, B, H, S, V);
        break;
    }
    case FromHSV: ZvHSVRGB(H, S, V, R, G, B); break;
    case FromRGB: ZvRGBHSV(R, G, B, H, S, V); break;
    }
    if (Mode != FromColor) NewColor = static_cast<TColor>(RGB(R & 0xFF, G & 0xFF, B & 0xFF));
    ShowColorPictures();
    // A field that shows its number already keeps its text, and with it the
    // caret of the user typing there; a field being emptied reads as 0.
    const std::pair<TUpDown*, int> fields[] = {{updCustom11, H}, {updCustom12, S}, {updCustom13, V},
                                               {updCustom21, R}, {updCustom22, G}, {updCustom23, B}};
    for (auto [updown, value] : fields) {
        const std::string& text = updown->Associate()->Text();
        if (text != std::to_string(value) && !(text.empty() && value == 0)) updown->SetPosition(value);
    }
    DrawSwatch();
}

void TColorForm::DrawSwatch() {
    const int w = picMainColor->Width(), h = picMainColor->Height();
    TBitmap& b = picMainColor->Picture.Bitmap();
    b.SetSize(w, h);
    TCanvas& c = b.Canvas();
    c.Pen.SetColor(clWindowText);
    c.Brush.SetClear(true);
    c.Rectangle(0, 0, w, h);
    c.Brush.SetColor(NewColor);
    c.FillRect(RECT{1, 1, w - 1, h / 2});
    c.Brush.SetColor(CurrentColor);
    c.FillRect(RECT{1, h / 2, w - 1, h - 1});
    picMainColor->Picture.Changed();
}

// ---- the Standard page -----------------------------------------------------

void TColorForm::tlnColor_Click(TComponent* Sender) {
    txtStandardColor->SetFocus();
    ForgetSystemColor();
    NewColor = Sender->Tag;
    UpdateColor(FromColor);
}

int TColorForm::CellUnderPointer() const {
    POINT p;
    GetCursorPos(&p);
    const RECT first = tlbColor->ButtonRect(FCells.front());
    const int x = p.x - first.left, y = p.y - first.top;
    const int rows = static_cast<int>(FCells.size()) / kColumns;
    if (x < 0 || x >= kColumns * kCellWidth || y < 0 || y >= rows * kCellHeight) return 0;
    return x / kCellWidth + y / kCellHeight * kColumns + 1;
}

void TColorForm::MovePointerTo(int Cell) {
    const RECT r = tlbColor->ButtonRect(FCells[static_cast<size_t>(std::max(Cell, 1) - 1)]);
    SetCursorPos(r.left + kCellPoint.x, r.top + kCellPoint.y);
}

// The grid wraps: Up from the top row goes to the bottom row one column to
// the left, Down from the bottom row to the top row one column to the right.
int TColorForm::CellAfterKey(WORD Key, int Cell) const {
    const int n = static_cast<int>(FCells.size());
    const int lastRow = n - kColumns;  // how far the top row lies from the bottom one
    switch (Key) {
    case VK_END: return n;
    case VK_HOME: return 1;
    case VK_LEFT: return Cell >= 2 ? Cell - 1 : Cell;
    case VK_RIGHT: return Cell >= 1 && Cell <= n - 1 ? Cell + 1 : Cell;
    case VK_UP:
        if (Cell >= 2 && Cell <= kColumns) return Cell + lastRow - 1;
        return Cell > kColumns ? Cell - kColumns : Cell;
    case VK_DOWN:
        if (Cell > lastRow && Cell < n) return Cell - lastRow + 1;
        return Cell >= 1 && Cell <= lastRow ? Cell + kColumns : Cell;
    default: return Cell;
    }
}

void TColorForm::txtStandardColor_KeyDown(TComponent*, WORD& Key) {
    const int cell = CellUnderPointer();
    switch (Key) {
    case VK_SPACE: {
        TToolButton* button = FCells[static_cast<size_t>(std::max(cell, 1) - 1)];
        Fire(button->OnClick, button);
        MovePointerTo(cell);
        break;
    }
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: MovePointerTo(CellAfterKey(Key, cell)); break;
    default: return;
    }
    Key = 0;
}

void TColorForm::txtStandardColor_KeyPress(TComponent*, char& Key) { Key = 0; }

// ---- the number fields -----------------------------------------------------

void TColorForm::txtCustom_Enter(TComponent* Sender) { static_cast<TEdit*>(Sender)->SetModified(false); }

void TColorForm::txtCustom_KeyPress(TComponent* Sender, char& Key) {
    if (Key != '\b' && (Key < '0' || Key > '9')) {
        Key = 0;
        return;
    }
    static_cast<TEdit*>(Sender)->SetModified(true);
    ForgetSystemColor();
}

void TColorForm::txtCustom_KeyUp(TComponent* Sender, WORD&) { Commit(static_cast<TEdit*>(Sender), true); }

void TColorForm::txtCustom_Exit(TComponent* Sender) { Commit(static_cast<TEdit*>(Sender), false); }

void TColorForm::txtCustom_ContextPopup(TComponent* Sender, POINT MousePos, bool& Handled) {
    ZvComEditMenu(static_cast<TEdit*>(Sender), MousePos.x, MousePos.y);
    Handled = true;
}

void TColorForm::updCustom_Click(TComponent* Sender) {
    auto* updown = static_cast<TUpDown*>(Sender);
    auto* edit = updown->Associate();
    // Taking the focus commits the field being left, which may be of the
    // other row and recompute this one: the arrow's step is put back after.
    const int stepped = updown->Position();
    edit->SetFocus();
    updown->SetPosition(stepped);
    edit->SetModified(true);
    ForgetSystemColor();
    Commit(edit, false);
}

// The field's number, kept within 0..its maximum, goes back into the field
// and its up-down; a changed field then changes the colour by its row. A
// field emptied while the user types stays empty (and reads as 0), so that
// the digits typed next make the number.
void TColorForm::Commit(TEdit* Edit, bool Typing) {
    const bool modified = Edit->Modified();
    const int value = std::clamp(NumberIn(Edit->Text()), 0, Edit->Tag);
    if (!(Typing && Edit->Text().empty())) {
        const std::string text = std::to_string(value);
        if (Edit->Text() != text) Edit->SetText(text);
        static_cast<TUpDown*>(FindComponent("updCustom" + Edit->Name().substr(Edit->Name().size() - 2)))
            ->SetPosition(value);
    }
    if (!modified) return;
    if (Edit->Name()[Edit->Name().size() - 2] == '1') {
        H = NumberIn(txtCustom11->Text());
        S = NumberIn(txtCustom12->Text());
        V = NumberIn(txtCustom13->Text());
        UpdateColor(FromHSV);
    } else {
        R = NumberIn(txtCustom21->Text());
        G = NumberIn(txtCustom22->Text());
        B = NumberIn(txtCustom23->Text());
        UpdateColor(FromRGB);
    }
}

// ---- closing and system colours --------------------------------------------

void TColorForm::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    ModalResult = mrOk;
}

void TColorForm::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

LRESULT TColorForm::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    const LRESULT result = TForm::WndProc(Msg, WParam, LParam);
    if (Msg == WM_SYSCOLORCHANGE) {
        UpdateColor(FromColor);
        SystemColorsChanged();
    }
    return result;
}
