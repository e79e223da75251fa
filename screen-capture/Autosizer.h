// The autosizer: a sizeable window whose own outer rectangle is a capture
// area; the user moves and sizes it over the screen and confirms.
#pragma once
#include <windows.h>

#include "Forms.h"
#include "GroupBox.h"

class TfrmAutosizer : public forms::TForm {
public:
    explicit TfrmAutosizer(forms::TComponent* AOwner);

    forms::TLabel* lblText;
    forms::TGroupBox* fraSize;
    forms::TLabel *lblLeft, *lblTop, *lblRight, *lblBottom;
    forms::TLabel *lblLeft2, *lblTop2, *lblRight2, *lblBottom2;
    forms::TButton *cmdOK, *cmdCancel, *cmdCenter;

    void Form_Show(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void cmdCenter_Click(forms::TComponent* Sender);

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    // The value labels: the window's outer rectangle, corners included.
    void ShowBounds();
};

// Lets the user set Area (both corners inclusive, screen coordinates) with
// the autosizer; false when cancelled, Area then unchanged.
bool ShowAutosizer(RECT& Area);
