// The reduced colour dialog for displays below high colour: 16 colours and
// the six number fields on one page.
#pragma once
#include "ColorForm.h"

class TfrmColor2 : public TColorForm {
public:
    explicit TfrmColor2(forms::TComponent* AOwner);
    void Form_Show(forms::TComponent* Sender);
};
