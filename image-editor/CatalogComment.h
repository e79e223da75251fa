// The comment of a captured screen in the catalog browser. It closes only
// through OK.
#pragma once
#include "Forms.h"
#include "Memo.h"

class TfrmCatalogComment : public forms::TForm {
public:
    explicit TfrmCatalogComment(forms::TComponent* AOwner);

    forms::TLabel* lblComments;
    forms::TMemo* txtComments;
    forms::TPanel* panMain;
    forms::TButton* cmdOK;

    // The comment was confirmed with OK.
    bool Accepted = false;

    void Form_Show(forms::TComponent* Sender);
    void Form_CloseQuery(forms::TComponent* Sender, bool& CanClose);
    void cmdOK_Click(forms::TComponent* Sender);
    void txtComments_ContextPopup(forms::TComponent* Sender, POINT MousePos, bool& Handled);
};

extern TfrmCatalogComment* frmCatalogComment;
