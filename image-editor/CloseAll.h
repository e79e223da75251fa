// The Close All dialog: which of the modified screens to save before they
// all close.
#pragma once
#include "CheckListBox.h"
#include "Forms.h"

class TfrmCloseAll : public forms::TForm {
public:
    explicit TfrmCloseAll(forms::TComponent* AOwner);

    forms::TLabel* lblText;
    forms::TCheckListBox* lstScreens;
    forms::TButton *cmdYes, *cmdNo, *cmdCancel;

    void Form_Create(forms::TComponent* Sender);
    void Form_Show(forms::TComponent* Sender);
    void cmdYes_Click(forms::TComponent* Sender);
    void cmdNo_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void lstScreens_ClickCheck(forms::TComponent* Sender);
    void lstScreens_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                             UINT State);
    // The screen numbers of the items that stay checked.
    bool IsChecked(int ScreenIndex) const;
};

extern TfrmCloseAll* frmCloseAll;
