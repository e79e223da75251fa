// The property panels that the Screen Capture and the Properties dialogs
// share. Each panel is named "pan" and a two-digit code (first digit the
// coded string: 1 When, 2 What, 3 Then; second the item's page), and so are
// its controls (txt11Seconds, upd21Left, cmd33Settings). The form loads the
// controls from the coded strings, writes the strings back from them and
// runs the handlers both dialogs give their panels.
#pragma once
#include <array>
#include <string>

#include "CaptureSettings.h"
#include "ComboBox.h"
#include "Forms.h"
#include "HotKey.h"
#include "Menus.h"
#include "UpDown.h"

class TCapturePanelForm : public forms::TForm {
public:
    using forms::TForm::TForm;

    // The "no properties" panels and the printer panel exist in the Screen
    // Capture dialog only.
    forms::TPanel *pan10 = nullptr, *pan20 = nullptr, *pan30 = nullptr;
    forms::TLabel *lbl10NoProp1 = nullptr, *lbl10NoProp2 = nullptr, *lbl20NoProp1 = nullptr,
                  *lbl20NoProp2 = nullptr, *lbl30NoProp1 = nullptr, *lbl30NoProp2 = nullptr;
    forms::TPanel* pan11 = nullptr;
    forms::TLabel* lbl11Seconds = nullptr;
    forms::TEdit* txt11Seconds = nullptr;
    forms::TUpDown* upd11Seconds = nullptr;
    forms::TPanel* pan12 = nullptr;
    forms::TLabel* lbl12Shortcut = nullptr;
    forms::THotKey* hky12Shortcut = nullptr;
    forms::TPanel* pan13 = nullptr;
    forms::TRadioButton *opt13Click1 = nullptr, *opt13Click2 = nullptr, *opt13Click3 = nullptr;
    forms::TPanel* pan21 = nullptr;
    forms::TLabel *lbl21Left = nullptr, *lbl21Right = nullptr, *lbl21Top = nullptr, *lbl21Bottom = nullptr;
    forms::TEdit *txt21Left = nullptr, *txt21Right = nullptr, *txt21Top = nullptr, *txt21Bottom = nullptr;
    forms::TUpDown *upd21Left = nullptr, *upd21Right = nullptr, *upd21Top = nullptr, *upd21Bottom = nullptr;
    forms::TButton* cmd21Autosizer = nullptr;
    forms::TPanel* pan22 = nullptr;
    forms::TLabel* lbl22Color = nullptr;
    forms::TEdit* txt22Color = nullptr;
    forms::TButton* cmd22Color = nullptr;
    forms::TPanel *pan31 = nullptr, *pan31Area = nullptr;
    forms::TRadioButton *opt31PasteTo = nullptr, *opt31PasteAsNew = nullptr;
    forms::TComboBox* cbo31PasteTo = nullptr;
    forms::TPanel* pan32 = nullptr;
    forms::TLabel* lbl32Printer = nullptr;
    forms::TButton* cmd32Settings = nullptr;
    forms::TPanel* pan33 = nullptr;
    forms::TLabel* lbl33Filename = nullptr;
    forms::TEdit* txt33Filename = nullptr;
    forms::TButton* cmd33Settings = nullptr;
    forms::TImageList* imlChild = nullptr;

    void txt11Seconds_KeyPress(forms::TComponent* Sender, char& Key);
    void txt11Seconds_Exit(forms::TComponent* Sender);
    void txt21_KeyPress(forms::TComponent* Sender, char& Key);
    void txt21_Exit(forms::TComponent* Sender);
    void upd_Click(forms::TComponent* Sender);
    void txt_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void opt_DblClick(forms::TComponent* Sender);
    void opt31_Click(forms::TComponent* Sender);
    void cmd21Autosizer_Click(forms::TComponent* Sender);
    void cmd22Color_Click(forms::TComponent* Sender);
    void cmd33Settings_Click(forms::TComponent* Sender);
    void cbo31PasteTo_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                               UINT State);

    // A paste-to item: Name, Index (0..999) in three columns and whether it
    // has an icon; the copy of Icon goes into imlChild in call order, also
    // for an item without one, so that entry Index is that item's icon.
    void AddChild(bool HasIcon, const std::string& Name, int Index, HICON Icon);
    // Disables the windowed control of that name; other names do nothing.
    void DisableControl(const std::string& Name);
    // Selects the first paste-to item whose number is Child; with no item
    // at all "Paste to" and its list are disabled and the list is greyed.
    void PreparePasteTo(int Child);
    // The number of the selected paste-to item; false when none is selected.
    bool SelectedChild(int& Child) const;
    // "Paste to current" above "Paste as new" instead of the list of
    // pictures, the two Top pixels down in their panel.
    void LayOutPasteToCurrent(int Top);

protected:
    // The group boxes the panels of each coded string go into, and where.
    struct PanelGroups {
        forms::TWinControl *When, *What, *Then;
        int Left, Top;
    };
    // Builds the panels; Full adds the "no properties" panels and the
    // printer panel of the Screen Capture dialog.
    void AddPanels(const PanelGroups& Groups, bool Full);

    // The button that a double click on a radio button presses and that
    // the sub-dialogs hand the focus to afterwards.
    virtual forms::TButton* OKButton() = 0;
    // The Then string whose digit and depend bytes the file settings edit.
    virtual ShortString& NumberingString() = 0;
    // The key under which the colour dialog remembers its choices for this
    // dialog.
    virtual const char* ColorKey() const = 0;

    // Loading the controls from the coded strings; bytes beyond a string's
    // length count as absent (0).
    void LoadWhen(const ShortString& When);
    void LoadWhat(const ShortString& What);
    void LoadFileName(const ShortString& Then);
    // The coded strings from the controls, First being byte 1.
    ShortString WhenFromControls(int First) const;
    ShortString WhatFromControls(int First) const;
    ShortString ThenFromControls(int First, const ShortString& Old) const;

    // Shows the panel named Prefix and Code and hides every other panel
    // lying directly in Group whose name does not end in the code.
    void ShowPanel(forms::TWinControl* Group, int Code, const std::string& Prefix = "pan");
    // The checks before the strings are written: a visible shortcut panel
    // needs a hot key, a visible file-name panel a valid name. On failure
    // the user has been told and the field has the focus.
    bool CheckHotKey(const std::string& Caption);
    bool CheckFileNamePanel();

    // The colour of the cursor background swatch.
    forms::TColor SwatchColor() const;
    void SetSwatchColor(forms::TColor Value);

    // The controls of each panel, into its panel Parent; the Screen Capture
    // and Properties dialogs and the wizard lay them out and caption them
    // each their way.
    void AddSecondsControls(forms::TWinControl* Parent, const std::string& Caption, int LabelWidth);
    void AddShortcutControls(forms::TWinControl* Parent, int LabelTop);
    void AddClickControls(forms::TWinControl* Parent, const std::array<const char*, 3>& Captions, int Width);
    void AddAreaControls(forms::TWinControl* Parent, const std::array<const char*, 4>& Captions, POINT Autosizer);
    void AddColorControls(forms::TWinControl* Parent, const std::string& Caption, POINT Swatch, POINT Button);

private:
    forms::TEdit* AddEdit(forms::TEdit*& Member, forms::TLabel*& Label, forms::TWinControl* Parent,
                          const std::string& Name, const std::string& Caption, int Left, int Top, int LabelWidth,
                          int Width, int MaxLength, int Tag);
    forms::TUpDown* AddUpDown(forms::TUpDown*& Member, forms::TEdit* Edit, const std::string& Name, int Min,
                              int Max, const std::string& Hint);
    // The up-down of a coordinate edit.
    forms::TUpDown* UpDownOf(forms::TComponent* Edit) const;
    // Moves the partner of the edge with that Tag (Left and Right, Top and
    // Bottom) when Value reaches it.
    void PushPartner(int Tag, int Value);
};

// The one form of a dialog kind that a call sequence of its exports works
// on: made by Init (a form left over goes first), filled by AddChild and
// Disable, freed by Free.
template <class TDialog>
struct TDialogSlot {
    TDialog* Form = nullptr;
    void Renew() {
        Free();
        Form = new TDialog(forms::Application);
    }
    void Free() {
        TDialog* form = Form;
        Form = nullptr;
        forms::Free(form);
    }
    void AddChild(bool HasIcon, const ShortString& Name, int Index, forms::TIcon* Icon) {
        if (Form) Form->AddChild(HasIcon, Name.str(), Index, Icon ? Icon->Handle() : nullptr);
    }
    void Disable(const ShortString& Name) {
        if (Form) Form->DisableControl(Name.str());
    }
};

// The item of a list that byte 1 of a coded string chooses; a stored index
// the list does not have (a damaged setting) chooses its first item, so
// that no index of -1 is written back.
int ListIndex(const ShortString& S, size_t Count);

// The file-name check of the capture dialogs: an empty name, any of the
// eight characters \ / : ? " < > | or a second * is refused with a message
// captioned "Screen Capture".
bool CheckCaptureFileName(const std::string& Name);
