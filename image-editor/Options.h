// The Options dialog: the program's lasting preferences on three pages
// (what shows, the start action and screen tips; the working folders and
// two drawing options; the size and colour of a new screen), loaded from
// the settings at each show and written back only by OK once the three
// folders have passed their check.
#pragma once
#include "BitBtn.h"
#include "Forms.h"
#include "GroupBox.h"
#include "ListBox.h"
#include "PageControl.h"
#include "PaintBox.h"
#include "UpDown.h"

class TfrmOptions : public forms::TForm {
public:
    explicit TfrmOptions(forms::TComponent* AOwner);

    forms::TPageControl* pgcMain;
    forms::TTabSheet *tabView, *tabGeneral, *tabDefault;
    forms::TGroupBox *fraViewShow, *fraViewScreentips, *fraViewStartup;
    forms::TCheckBox *chkViewStartup, *chkViewNewDialog, *chkViewStatusBar;
    forms::TRadioButton *optViewScreentips1, *optViewScreentips2, *optViewScreentips3;
    forms::TRadioButton *optViewStartup1, *optViewStartup2;
    forms::TLabel* lblViewAuto;
    forms::TListBox* lstViewAuto;
    forms::TGroupBox* fraGeneralFile;
    forms::TLabel *lblGeneralDocLocation, *lblGeneralBrowserLocation, *lblGeneralAutoSaveLocation;
    forms::TEdit *txtGeneralDocLocation, *txtGeneralBrowserLocation, *txtGeneralAutoSaveLocation;
    forms::TBitBtn *cmdGeneralDocBrowse, *cmdGeneralBrowserBrowse, *cmdGeneralAutoSaveBrowse;
    forms::TCheckBox *chkGeneralUseDefaultColor, *chkGeneralAnimateSelection;
    forms::TGroupBox *fraDefaultSize, *fraDefaultOrientation;
    forms::TLabel *lblDefaultWidth, *lblDefaultHeight, *lblDefaultWidthUnit, *lblDefaultHeightUnit, *lblDefaultColor;
    forms::TEdit *txtDefaultWidth, *txtDefaultHeight, *txtDefaultColor;
    forms::TUpDown *updDefaultWidth, *updDefaultHeight;
    forms::TButton* cmdDefaultColor;
    forms::TPaintBox* picDefaultOrientation;
    forms::TRadioButton *optDefaultPortrait, *optDefaultLandscape;
    forms::TPanel* sclDefaultPreview;
    forms::TPaintBox* picDefaultPreview;
    forms::TButton *cmdOK, *cmdCancel;

    void Form_Create(forms::TComponent* Sender);
    void Form_Show(forms::TComponent* Sender);
    void Controls_DblClick(forms::TComponent* Sender);
    void chkViewStartup_Click(forms::TComponent* Sender);
    void lstViewAuto_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                              UINT State);
    void txtGeneralLocation_Exit(forms::TComponent* Sender);
    void cmdGeneralBrowse_Click(forms::TComponent* Sender);
    void cmdGeneralBrowse_Enter(forms::TComponent* Sender);
    void cmdGeneralBrowse_Exit(forms::TComponent* Sender);
    void txt_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void txtDefaultScreen_KeyPress(forms::TComponent* Sender, char& Key);
    void txtDefaultScreen_KeyUp(forms::TComponent* Sender, WORD& Key);
    void txtDefaultScreen_Exit(forms::TComponent* Sender);
    void updDefaultScreen_Click(forms::TComponent* Sender);
    void optDefaultOrientation_Click(forms::TComponent* Sender);
    void picDefaultOrientation_Paint(forms::TComponent* Sender);
    void picDefaultPreview_Paint(forms::TComponent* Sender);
    void cmdDefaultColor_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

private:
    // The folder edit of a Tag: 1 document, 2 catalog browser, 3 auto save.
    forms::TEdit* LocationEdit(int Tag) const;
    // The screen size that the two size edits hold, not clamped.
    int DefaultWidth() const;
    int DefaultHeight() const;
    // Gives the browse buttons the spacing that puts each caption in its
    // button's middle, right of the glyph.
    void CentreBrowseCaptions();
    // Brings the orientation and the preview in line with the size edits
    // and the colour.
    void UpdateDefaultScreen();
    // Set while UpdateDefaultScreen checks an orientation: the check is no
    // choice of the user's.
    bool FUpdating = false;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void AddLocation(int Tag, int Top, forms::TLabel*& Label, forms::TEdit*& Edit, forms::TBitBtn*& Browse,
                     const char* Name, const char* Caption, const char* BrowseCaption, const char* Hint,
                     const char* BrowseHint);
    void AddSizeField(int Top, const char* Name, const char* Caption, const char* Hint, forms::TLabel*& Label,
                      forms::TEdit*& Edit, forms::TUpDown*& UpDown, forms::TLabel*& Unit);
};

extern TfrmOptions* frmOptions;
