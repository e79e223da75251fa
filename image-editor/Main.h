// The program's main window.
#pragma once
#include "Forms.h"

class TfrmMain : public forms::TForm {
public:
    explicit TfrmMain(forms::TComponent* AOwner);
};

extern TfrmMain* frmMain;
