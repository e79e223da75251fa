// The start-up dialog: what to do first when the program starts, kept as
// the stored start-up choice.
#pragma once
#include "Forms.h"
#include "PaintBox.h"

class TfrmStartup : public forms::TForm {
public:
    explicit TfrmStartup(forms::TComponent* AOwner);

    forms::TLabel* lblWhat;
    forms::TPaintBox *picNew, *picOpen, *picCaptureTheme, *picScreenCapture;
    forms::TRadioButton *optNew, *optOpen, *optCaptureTheme, *optScreenCapture;
    forms::TCheckBox* chkDontShow;
    forms::TButton *cmdOK, *cmdCancel;

    void Form_Create(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void optStartup_DblClick(forms::TComponent* Sender);
    void picPicture_Click(forms::TComponent* Sender);
    void picPicture_Paint(forms::TComponent* Sender);
};

extern TfrmStartup* frmStartup;

// The four choices' radio buttons, by their Tag 1..4 (index 0 unused).
extern forms::TRadioButton* StartupButtons[5];
