// The prompt for a capture theme's name, captioned with what is done with
// it ("Add", "Rename"). OK is enabled only while the name, trimmed of its
// blanks, is not empty.
#pragma once
#include "Forms.h"
#include "Timer.h"

class TfrmRenameTheme : public forms::TForm {
public:
    explicit TfrmRenameTheme(forms::TComponent* AOwner);

    forms::TLabel* lblName;
    forms::TEdit* txtName;
    forms::TButton *cmdOK, *cmdCancel;
    forms::TTimer* tmrTimer;

    void Form_Show(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void tmrTimer_Timer(forms::TComponent* Sender);
    void txtName_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);

    // The name typed, without the blanks around it.
    std::string TrimmedName() const;
};
