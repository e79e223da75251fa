// The Resize Screen dialog: the new size of the screen's picture or of its
// floating selection, in pixels or as a percentage of the size it had, with
// or without its proportions, and whether the picture is stretched to it.
#pragma once
#include "ComboBox.h"
#include "Forms.h"
#include "GroupBox.h"
#include "PaintBox.h"
#include "UpDown.h"

// In: the size before (pixels); out, after OK: the size chosen.
extern int ResizeWidth, ResizeHeight;

class TfrmResize : public forms::TForm {
public:
    explicit TfrmResize(forms::TComponent* AOwner);

    forms::TLabel* lblResizeBy;
    forms::TComboBox* cboResizeBy;
    forms::TLabel *lblWidth, *lblWidthPixels, *lblHeight, *lblHeightPixels;
    forms::TEdit *txtWidth, *txtHeight;
    forms::TUpDown *updWidth, *updHeight;
    forms::TCheckBox *chkStretch, *chkAspectRatio;
    forms::TGroupBox* fraOrientation;
    forms::TPaintBox* picOrientation;
    forms::TRadioButton *optPortrait, *optLandscape;
    forms::TLabel* lblPreview;
    forms::TPanel* sclPreview;
    forms::TImage* picPreview;
    forms::TButton *cmdOK, *cmdCancel;

    void Form_Show(forms::TComponent* Sender);
    void cboResizeBy_Click(forms::TComponent* Sender);
    void cboResizeBy_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                              UINT State);
    void chkAspectRatio_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void optOrientation_Click(forms::TComponent* Sender);
    void optOrientation_DblClick(forms::TComponent* Sender);
    void picOrientation_Paint(forms::TComponent* Sender);
    void txtScreen_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void txtScreen_Exit(forms::TComponent* Sender);
    void txtScreen_KeyPress(forms::TComponent* Sender, char& Key);
    void updScreen_Click(forms::TComponent* Sender);

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    bool Percentage() const { return cboResizeBy->ItemIndex() != 0; }
    // A side of the size being edited, kept within 10..1600, or within the
    // side's size before when that lies outside, so that OK without an
    // edit keeps the picture as it was.
    int Limited(int Side, int Before) const;
    // An edit's number in pixels: percent of the size before in Percentage
    // mode.
    int EditPixels(forms::TEdit* Edit, int Before) const;
    void UpdateResizeControls();

    int NewWidth = 0, NewHeight = 0;
    double RatioWH = 1, RatioHW = 1;
};

extern TfrmResize* frmResize;
