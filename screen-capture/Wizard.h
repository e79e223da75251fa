// The Capture Wizard: six pages that walk the user through when and what to
// capture. Page 1 chooses the trigger and page 2 the kind of capture, each
// with the properties panel of its choice, built from the same controls and
// handlers as the Screen Capture dialog's.
#pragma once
#include "CapturePanels.h"

class TfrmWizard : public TCapturePanelForm {
public:
    explicit TfrmWizard(forms::TComponent* AOwner);

    static constexpr int kLastPage = 5;
    forms::TPanel* panImage;
    forms::TImage* imgImage;
    forms::TPanel* panLine;
    forms::TPanel *panArea0, *panArea1, *panArea2, *panArea3, *panArea4, *panArea5;
    forms::TLabel *lbl0Text1, *lbl0Text2, *lbl0Text3, *lbl1Text1, *lbl1Text2, *lbl2Text1, *lbl2Text2, *lbl3Text1,
        *lbl4Text1, *lbl5Text1;
    forms::TLabel *lbl1When, *lbl2Capture;
    forms::TComboBox *cbo1When, *cbo2Capture;
    forms::TLabel* lbl11Seconds2;
    forms::TCheckBox* CheckBox1;
    forms::TButton *cmdBack, *cmdNext, *cmdCancel;
    forms::TImageList* imlImages;

    // The working settings: copies of the caller's, and its flag byte.
    TCaptureWhen When;
    TCaptureWhat What;
    TCaptureThen Then;
    TCaptureOptions Options;
    BYTE Flag = 0;
    int Page() const { return FPage; }

    void Form_Show(forms::TComponent* Sender);
    void Form_Close(forms::TComponent* Sender, forms::TCloseAction& Action);
    void cbo_Click(forms::TComponent* Sender);
    void cbo_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect, UINT State);
    void cmd_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

    // The choices of pages 1 and 2 as When and What strings.
    void WriteChoices();

protected:
    forms::TButton* OKButton() override { return cmdNext; }
    ShortString& NumberingString() override { return Then; }
    const char* ColorKey() const override { return "Wizard"; }

private:
    void ArrangeWizard();
    bool CheckShortcutPage();
    void ShowPage(int Page);
    void SetNavigation(bool Back, int NextEntry, forms::TWinControl* Focus);
    void ShowOnlyPage(int Page);
    forms::TPanel* PagePanel(int Page) const;

    int FFirstPage = 0, FPage = 0, FPrevPage = 0;
};
