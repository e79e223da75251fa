// The Properties dialog: one panel of the Screen Capture dialog, chosen by
// its code, edits one item of one coded string; OK rewrites that string from
// the controls, which were all loaded from it.
#pragma once
#include "CapturePanels.h"
#include "GroupBox.h"

class TfrmProperties : public TCapturePanelForm {
public:
    explicit TfrmProperties(forms::TComponent* AOwner);

    forms::TGroupBox* fraProperties;
    forms::TButton *cmdOK, *cmdCancel;

    // The call's panel code and caption, and the string it edits.
    void Prepare(int Code, const std::string& Caption, const ShortString& Settings);
    const ShortString& Working() const { return FWork; }

    void Form_Create(forms::TComponent* Sender);
    void Form_Show(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

protected:
    forms::TButton* OKButton() override { return cmdOK; }
    ShortString& NumberingString() override { return FWork; }
    const char* ColorKey() const override { return "Properties"; }

private:
    int FCode = 0;
    ShortString FWork;
};
