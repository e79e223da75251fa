// A dialog that offers one choice among a few radio buttons in a group box
// and keeps it in a setting: it opens on the stored choice, OK (or a double
// click on a button) stores the checked one, Cancel stores nothing.
#pragma once
#include <string>
#include <vector>

#include "Forms.h"
#include "GroupBox.h"

class TChoiceDialog : public forms::TForm {
public:
    struct Choice {
        std::string Name, Caption, Hint;
    };
    // Setting holds the index of the chosen button, 0-based.
    TChoiceDialog(forms::TComponent* AOwner, const std::string& Name, const std::string& Caption,
                  const std::string& GroupName, const std::string& GroupCaption, const std::vector<Choice>& Choices,
                  int& Setting);

    forms::TGroupBox* fraGroup;
    forms::TButton *cmdOK, *cmdCancel;
    // The radio buttons in the order of the choices.
    std::vector<forms::TRadioButton*> Buttons;

    void Form_Show(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void opt_DblClick(forms::TComponent* Sender);

private:
    int& FSetting;
};
