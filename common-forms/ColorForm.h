// What the colour dialog and its reduced twin share: the Standard page with
// its palette, whose buttons the keyboard reaches through a small edit, the
// six number fields for hue, saturation, value, red, green and blue with
// their up-downs, the swatch of the new and the current colour, and OK and
// Cancel.
#pragma once
#include <string>
#include <vector>

#include "Forms.h"
#include "Menus.h"
#include "PageControl.h"
#include "ToolBar.h"
#include "UpDown.h"

class TColorForm : public forms::TForm {
public:
    // What UpdateColor starts from.
    enum TUpdateMode { FromColor = 0, FromHSV = 1, FromRGB = 2 };

    forms::TPageControl* pgcMain = nullptr;
    forms::TTabSheet* tabStandard = nullptr;
    forms::TLabel* lblStandardColor = nullptr;
    forms::TEdit* txtStandardColor = nullptr;
    forms::TImageList* imlColor = nullptr;
    forms::TToolBar* tlbColor = nullptr;
    forms::TLabel* lblCustom11 = nullptr;
    forms::TLabel* lblCustom12 = nullptr;
    forms::TLabel* lblCustom13 = nullptr;
    forms::TLabel* lblCustom21 = nullptr;
    forms::TLabel* lblCustom22 = nullptr;
    forms::TLabel* lblCustom23 = nullptr;
    forms::TEdit* txtCustom11 = nullptr;
    forms::TEdit* txtCustom12 = nullptr;
    forms::TEdit* txtCustom13 = nullptr;
    forms::TEdit* txtCustom21 = nullptr;
    forms::TEdit* txtCustom22 = nullptr;
    forms::TEdit* txtCustom23 = nullptr;
    forms::TUpDown* updCustom11 = nullptr;
    forms::TUpDown* updCustom12 = nullptr;
    forms::TUpDown* updCustom13 = nullptr;
    forms::TUpDown* updCustom21 = nullptr;
    forms::TUpDown* updCustom22 = nullptr;
    forms::TUpDown* updCustom23 = nullptr;
    forms::TLabel* lblMainNew = nullptr;
    forms::TImage* picMainColor = nullptr;
    forms::TLabel* lblMainCurrent = nullptr;
    forms::TButton* cmdOK = nullptr;
    forms::TButton* cmdCancel = nullptr;

    // The caller's colour, set before the dialog shows: the lower half of
    // the swatch. It may be a system colour, shown by its current value.
    forms::TColor CurrentColor = 0;
    // The colour being chosen: the upper half of the swatch, and the
    // answer on OK. It stays the caller's own value until the user chooses.
    forms::TColor NewColor = 0;
    // The new colour as hue 0..359, saturation and value, and red, green
    // and blue, each 0..255; UpdateColor keeps them together.
    int H = 0, S = 0, V = 0, R = 0, G = 0, B = 0;

    // Brings the numbers, the fields and the pictures in line with the new
    // colour (FromColor), with H, S and V (FromHSV) or with R, G and B
    // (FromRGB); the last two make the new colour from the numbers.
    void UpdateColor(TUpdateMode Mode);

    void tlnColor_Click(forms::TComponent* Sender);
    void txtStandardColor_KeyDown(forms::TComponent* Sender, WORD& Key);
    void txtStandardColor_KeyPress(forms::TComponent* Sender, char& Key);
    void txtCustom_Enter(forms::TComponent* Sender);
    void txtCustom_KeyPress(forms::TComponent* Sender, char& Key);
    void txtCustom_KeyUp(forms::TComponent* Sender, WORD& Key);
    void txtCustom_Exit(forms::TComponent* Sender);
    void txtCustom_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void updCustom_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

    // A palette colour: the button's hint and its colour.
    struct TNamedColor {
        const char* Name;
        forms::TColor Color;
    };

protected:
    explicit TColorForm(forms::TComponent* AOwner);

    // The parts of the description that both dialogs have: the page control
    // with the Standard page; the palette of Count colours in rows of eight
    // on a page; the six number fields in two rows from Top on a page; the
    // swatch with its labels at the right and OK and Cancel at ButtonTop.
    void AddStandardPage(int PagesHeight);
    void AddPalette(const TNamedColor* Colors, int Count);
    void AddNumberFields(forms::TWinControl* Page, int Top);
    void AddSwatchAndButtons(int ButtonTop);

    // The font and hints the user chose for dialogs.
    void ApplyLook();
    // The full dialog's pictures of the new colour: marker, bar, triangle.
    virtual void ShowColorPictures() {}
    // The user chose a colour other than from the system colour list.
    virtual void ForgetSystemColor() {}
    // The system's colours have changed and the new colour is shown anew.
    virtual void SystemColorsChanged() {}

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    // The palette buttons in grid order: cell c is FCells[c - 1].
    std::vector<forms::TToolButton*> FCells;
    forms::TEdit* AddNumberField(forms::TEdit*& Edit, forms::TLabel*& Label, forms::TUpDown*& UpDown,
                                 forms::TWinControl* Page, const std::string& Digits, const char* Caption,
                                 int Left, int LabelWidth, int Top, int Max, const char* Hint);
    // The cell under the mouse pointer, 0 when the pointer is off the grid.
    int CellUnderPointer() const;
    void MovePointerTo(int Cell);
    // The cell that a grid key leads to from Cell (which may be 0).
    int CellAfterKey(WORD Key, int Cell) const;
    // Typing: from a key in the field, which the user goes on typing in.
    void Commit(forms::TEdit* Edit, bool Typing);
    void DrawSwatch();
};
