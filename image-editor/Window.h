// The Window List dialog: the open screens, one line each, so that the user
// can bring one of them to the front.
#pragma once
#include "Forms.h"
#include "ListBox.h"

class TfrmWindow : public forms::TForm {
public:
    explicit TfrmWindow(forms::TComponent* AOwner);

    forms::TLabel* lblWindowList;
    forms::TListBox* lstWindowList;
    forms::TButton *cmdActivate, *cmdCancel;

    void Form_Show(forms::TComponent* Sender);
    void cmdActivate_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void lstWindowList_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                                UINT State);
    // The screen number at the end of the chosen line; -1 when no line is
    // chosen.
    int ChosenScreen() const;
};

extern TfrmWindow* frmWindow;
