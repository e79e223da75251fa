// The hidden holder of the edit pop-up menu that every text field offers.
#pragma once
#include "Forms.h"
#include "Menus.h"

class TfrmContext : public forms::TForm {
public:
    explicit TfrmContext(forms::TComponent* AOwner);

    forms::TImageList* imlImages = nullptr;
    forms::TPopupMenu* mnuEdit = nullptr;
    forms::TMenuItem* mnuEditUndo = nullptr;
    forms::TMenuItem* mnuEditSep1 = nullptr;
    forms::TMenuItem* mnuEditCut = nullptr;
    forms::TMenuItem* mnuEditCopy = nullptr;
    forms::TMenuItem* mnuEditPaste = nullptr;
    forms::TMenuItem* mnuEditDelete = nullptr;
    forms::TMenuItem* mnuEditSep2 = nullptr;
    forms::TMenuItem* mnuEditSelectAll = nullptr;

    // The text field the menu was last opened for.
    HWND Target = nullptr;

    void Form_Create(forms::TComponent* Sender);
    void mnuEdit_Popup(forms::TComponent* Sender);
    void mnuEditCCP_Click(forms::TComponent* Sender);
};

// The one menu holder of the library, from ZvComInit to ZvComDone.
extern TfrmContext* frmContext;
