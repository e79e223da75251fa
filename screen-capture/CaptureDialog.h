// The Screen Capture dialog: when to capture, what to capture and what to
// do with the picture, each a list whose chosen item shows its panel of
// properties beside it; "Capture" writes the four coded strings back.
#pragma once
#include "BitBtn.h"
#include "CapturePanels.h"
#include "CaptureTheme.h"
#include "GroupBox.h"

class TfrmCapture : public TCapturePanelForm {
public:
    explicit TfrmCapture(forms::TComponent* AOwner);

    // The picture beside the prompt: a capture's, or a theme's while one is
    // edited.
    forms::TImage *picCapture, *picCaptureTheme;
    forms::TLabel* lblText;
    forms::TGroupBox *fraWhen, *fraCapture, *fraThen;
    forms::TComboBox *cboWhen, *cboCapture, *cboThen;
    forms::TBitBtn* cmdOptions;
    forms::TButton *cmdOK, *cmdCancel;
    forms::TImageList* imlImages;
    forms::TPopupMenu* mnuPOptions;
    forms::TMenuItem *mnuPOptionsOpen, *mnuPOptionsSaveAs, *mnuPOptionsSep1, *mnuPOptionsShowIcon, *mnuPOptionsCursor;

    // The prompt: Text in place of its "%s", or Text instead of it.
    void SetPrompt(const std::string& Text, bool TextIsLabel);

    void Form_Show(forms::TComponent* Sender);
    void cboList_Change(forms::TComponent* Sender);
    void cboList_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                          UINT State);
    void cmdOptions_Click(forms::TComponent* Sender);
    void cmdOptions_Enter(forms::TComponent* Sender);
    void cmdOptions_Exit(forms::TComponent* Sender);
    void mnuPOptions_Popup(forms::TComponent* Sender);
    void mnuPOptionsItem_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

protected:
    forms::TButton* OKButton() override { return cmdOK; }
    ShortString& NumberingString() override;
    const char* ColorKey() const override { return "Capture"; }
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    // The panel of the list's chosen item, and the states that follow it.
    void ListChanged(forms::TComboBox* List);
    // The Options items that the chosen trigger and kind leave.
    void UpdateOptionItems();
    // The Options arrow in the window-text colour.
    void DrawOptionsGlyph();
    void ShowPrinter();
};

// Edits the four strings of a capture theme in a Screen Capture dialog of
// its own, laid out for a theme: "OK" instead of "Capture", "Paste to
// current" instead of the list of pictures. True on OK, with the strings
// as the dialog left them.
bool EditCaptureTheme(TThemeSettings& Settings);
