// The display-suggestion dialog: offers to open the display settings when the
// display is below what the host suggests.
#pragma once
#include "Forms.h"

class TfrmSugColor : public forms::TForm {
public:
    explicit TfrmSugColor(forms::TComponent* AOwner);

    forms::TImage* picIcon = nullptr;
    forms::TLabel* lblText = nullptr;
    forms::TLabel* lblCurrent = nullptr;
    forms::TLabel* lblSuggest = nullptr;
    forms::TLabel* lblChange = nullptr;
    forms::TPanel* panMain = nullptr;
    forms::TCheckBox* chkDontShow = nullptr;
    forms::TButton* cmdYes = nullptr;
    forms::TButton* cmdNo = nullptr;

    // The label templates of the description.
    static constexpr const char* kTextTemplate =
        "Your %s will look better and it will be easier to work with %s with different settings.";
    static constexpr const char* kCurrentTemplate = "Current settings: %s colors, %dx%d";
    static constexpr const char* kSuggestTemplate = "Suggested: %s colors, %dx%d";

    void Form_Show(forms::TComponent* Sender);
    void cmdYes_Click(forms::TComponent* Sender);
    void cmdNo_Click(forms::TComponent* Sender);
};
