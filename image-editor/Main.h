// The program's main window: the multiple-document frame.
#pragma once
#include "Forms.h"

class TfrmMain : public forms::TForm {
public:
    explicit TfrmMain(forms::TComponent* AOwner);

    void Form_Create(forms::TComponent* Sender);
    void Form_Destroy(forms::TComponent* Sender);
};

extern TfrmMain* frmMain;

// The message a second instance broadcasts, registered under the title.
extern UINT ActivateMsg;
// The most screens that may be open at once, 1 to 99.
extern int MaxScreens;
// The drawing colours, plain RGB.
extern forms::TColor ForeColor, BackColor;
