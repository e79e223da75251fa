// The catalog browser's window: the captured screens one at a time, chosen
// by number in an edit with up-down buttons or with the scroll bar beside
// them, which move together.
#pragma once
#include "BitBtn.h"
#include "Forms.h"
#include "ScrollBar.h"
#include "UpDown.h"

class TfrmCatalog : public forms::TForm {
public:
    explicit TfrmCatalog(forms::TComponent* AOwner);

    forms::TPanel* panScreens;
    forms::TLabel* lblScreens;
    forms::TPanel* sclScreens;
    forms::TImage* picScreens;
    forms::TLabel* lblComment;
    forms::TScrollBar* slbScroll;
    forms::TPanel* panButtons;
    forms::TBitBtn *cmdOpen, *cmdRemove;
    forms::TButton* cmdDetail;
    forms::TPanel* bvlLine;
    forms::TPanel* panConfig;
    forms::TLabel *lblCurrent, *lblTotal, *lblTotalCount;
    forms::TEdit* txtCurrent;
    forms::TUpDown* updCurrent;
    forms::TPanel* panClose;
    forms::TButton* cmdClose;

    // The number of catalogued screens, and the one shown (from 1).
    int TotalCount = 0;
    int Current = 0;

    void Form_Show(forms::TComponent* Sender);
    void txtCurrent_KeyPress(forms::TComponent* Sender, char& Key);
    void txtCurrent_KeyUp(forms::TComponent* Sender, WORD& Key);
    void txtCurrent_Exit(forms::TComponent* Sender);
    void txtCurrent_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
    void updCurrent_Click(forms::TComponent* Sender);
    void slbScroll_Scroll(forms::TComponent* Sender, int Code, int& ScrollPos);
    void cmd_Enter(forms::TComponent* Sender);
    void cmd_Exit(forms::TComponent* Sender);
    void cmdClose_Click(forms::TComponent* Sender);

private:
    // Current follows the edit's number, and the scroll bar follows Current.
    void Synchronise();
    // The highest screen number the controls hold: at least 1, also for an
    // empty catalog, so that every control holds the number the edit shows.
    int Highest() const;
};

extern TfrmCatalog* frmCatalog;
