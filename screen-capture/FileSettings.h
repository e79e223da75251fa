// The file-name settings of the "save to disk" action: how many digits the
// number of an automatic capture file has, or whether it takes as many as
// the number needs.
#pragma once
#include "Forms.h"
#include "GroupBox.h"
#include "UpDown.h"

class TfrmFileSettings : public forms::TForm {
public:
    explicit TfrmFileSettings(forms::TComponent* AOwner);

    forms::TGroupBox* fraNumbering;
    forms::TLabel* lblDigits;
    forms::TEdit* txtDigits;
    forms::TUpDown* updDigits;
    forms::TCheckBox* chkDependOnNumber;
    forms::TButton *cmdOK, *cmdCancel;

    void Form_Show(forms::TComponent* Sender);
    void chkDependOnNumber_Click(forms::TComponent* Sender);
    void txtDigits_KeyPress(forms::TComponent* Sender, char& Key);
    void txtDigits_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
};

// Lets the user choose the digit count (1 to 5) and whether the number
// decides it; false when cancelled, both then unchanged.
bool ShowFileSettings(int& Digits, bool& DependOnNumber);
