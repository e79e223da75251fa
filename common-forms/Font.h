// The font dialog: a TrueType font with its style, size, underline,
// strike-out and colour, chosen from lists that follow what is typed above
// them, with a live preview of the caller's text or of the font's name.
#pragma once
#include <string>

#include "Forms.h"
#include "GroupBox.h"
#include "ListBox.h"

class TfrmFont : public forms::TForm {
public:
    explicit TfrmFont(forms::TComponent* AOwner);

    forms::TLabel* lblFont = nullptr;
    forms::TEdit* txtFont = nullptr;
    forms::TListBox* lstFont = nullptr;
    forms::TLabel* lblStyle = nullptr;
    forms::TEdit* txtStyle = nullptr;
    forms::TListBox* lstStyle = nullptr;
    forms::TLabel* lblSize = nullptr;
    forms::TEdit* txtSize = nullptr;
    forms::TListBox* lstSize = nullptr;
    forms::TGroupBox* fraEffects = nullptr;
    forms::TCheckBox* chkStrikeOut = nullptr;
    forms::TCheckBox* chkUnderline = nullptr;
    forms::TLabel* lblColor = nullptr;
    forms::TEdit* txtColor = nullptr;
    forms::TButton* cmdColor = nullptr;
    forms::TLabel* lblPreview = nullptr;
    forms::TImage* picPreview = nullptr;
    forms::TCheckBox* chkUseFontName = nullptr;
    forms::TButton* cmdOK = nullptr;
    forms::TButton* cmdCancel = nullptr;

    // The font last drawn in the preview: the answer on OK.
    forms::TFont PreviewFont;
    // The text the preview shows unless it shows the font's name.
    std::string PreviewText;
    // The caller's font, set before the dialog shows.
    std::string FontName;
    int Size = 0;
    forms::TFontStyles Style = 0;
    forms::TColor Color = 0;

    // Builds the font from the controls and draws the preview; with
    // OnlyIfChanged, only when that font differs from the one drawn last.
    void UpdatePreview(bool OnlyIfChanged);

    void Form_Show(forms::TComponent* Sender);
    void lst_Click(forms::TComponent* Sender);
    void txt_Change(forms::TComponent* Sender);
    void txt_Exit(forms::TComponent* Sender);
    void txt_KeyDown(forms::TComponent* Sender, WORD& Key);
    void txt_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void chk_Click(forms::TComponent* Sender);
    void cmdColor_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

private:
    // The edit of a list and the list of an edit, told apart by Tag 1..3.
    forms::TListBox* ListOf(forms::TComponent* Edit) const;
    forms::TEdit* EditOf(forms::TListBox* List) const;
    // The list's chosen item, "" when none is chosen.
    static std::string Chosen(forms::TListBox* List);
    // Chooses an item and shows it in the list's edit, wholly selected.
    void ChooseAndShow(forms::TListBox* List, int Index);
    void FillFonts();
    // False until the dialog has shown: the preview is not drawn before.
    bool FPreviewReady = false;
};
