// The Brightness dialog: how much lighter (up to 100) or darker (down to
// -100) the picture becomes, and the ramp along which the change runs out.
#pragma once
#include "ComboBox.h"
#include "Forms.h"
#include "Menus.h"
#include "PaintBox.h"
#include "TrackBar.h"
#include "UpDown.h"

// The amount chosen, -100..100; 0 at each showing.
extern int BrightnessValue;

class TfrmBrightness : public forms::TForm {
public:
    explicit TfrmBrightness(forms::TComponent* AOwner);

    forms::TLabel* lblBrightness;
    forms::TPaintBox *picLess, *picMore;
    forms::TTrackBar* trbBrightness;
    forms::TLabel* lblValue;
    forms::TEdit* txtValue;
    forms::TUpDown* updValue;
    forms::TLabel* lblStyle;
    forms::TComboBox* cboStyle;
    // The ramps of the styles 1..4, lightening and darkening.
    forms::TImageList *imlLighter, *imlDarker;
    forms::TButton *cmdOK, *cmdCancel;

    void Form_Show(forms::TComponent* Sender);
    void cboStyle_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                           UINT State);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void pic_Paint(forms::TComponent* Sender);
    void trbBrightness_Change(forms::TComponent* Sender);
    void txtValue_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void txtValue_Exit(forms::TComponent* Sender);
    void txtValue_KeyPress(forms::TComponent* Sender, char& Key);
    void updValue_Click(forms::TComponent* Sender);

private:
    // Every control shows BrightnessValue; the style list's pictures change
    // sides when the amount went from lighter to darker or back.
    void SyncBrightnessControls();
    bool Updating = false;
    int LastValue = 0;
};

extern TfrmBrightness* frmBrightness;

// The amount in a text: a minus sign or none and the digits after it up to
// the first other character (no digits: 0), within -100..100.
int BrightnessIn(const std::string& Text);
