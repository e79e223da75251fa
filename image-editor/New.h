// The New Screen dialog: the size, orientation and background colour of a
// new blank screen, which may be kept as the defaults of the next ones.
#pragma once
#include "ComboBox.h"
#include "Forms.h"
#include "GroupBox.h"
#include "PaintBox.h"
#include "UpDown.h"

// The size presets of the dialog's list, by item index.
enum TNewScreenPreset { nspDefault, nspFullScreen, nspBanner, nspCustom };

class TfrmNew : public forms::TForm {
public:
    explicit TfrmNew(forms::TComponent* AOwner);

    forms::TLabel *lblScreenSize, *lblWidth, *lblWidthPixels, *lblHeight, *lblHeightPixels, *lblColor, *lblPreview;
    forms::TComboBox* cboScreenSize;
    forms::TEdit *txtWidth, *txtHeight, *txtColor;
    forms::TUpDown *updWidth, *updHeight;
    forms::TButton* cmdColor;
    forms::TCheckBox* chkDefault;
    forms::TGroupBox* fraOrientation;
    forms::TPaintBox* picOrientation;
    forms::TRadioButton *optPortrait, *optLandscape;
    forms::TPanel* sclPreview;
    forms::TImage* picPreview;
    forms::TCheckBox* chkDontShow;
    forms::TButton *cmdOK, *cmdCancel;

    void Form_Show(forms::TComponent* Sender);
    void cboScreenSize_Click(forms::TComponent* Sender);
    void cboScreenSize_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                                UINT State);
    void cmdColor_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void optOrientation_Click(forms::TComponent* Sender);
    void optOrientation_DblClick(forms::TComponent* Sender);
    void picOrientation_Paint(forms::TComponent* Sender);
    void txtScreen_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void txtScreen_Exit(forms::TComponent* Sender);
    void txtScreen_KeyPress(forms::TComponent* Sender, char& Key);
    void txtScreen_KeyUp(forms::TComponent* Sender, WORD& Key);
    void updScreen_Click(forms::TComponent* Sender);
    // Applies the chosen preset and brings the other controls and the
    // preview in step with the size and colour.
    void UpdateNewScreen();

    // What OK leaves for the command: the size (each side within 10..1600)
    // and the colour.
    int ScreenWidth() const;
    int ScreenHeight() const;
    forms::TColor ScreenColor() const { return txtColor->Color(); }

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    void SetCustom();
};

extern TfrmNew* frmNew;
