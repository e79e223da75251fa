// The Flip and Rotate dialog: mirror, upside down, half turn, a quarter to
// the left or to the right, the choice kept in Rotate (0..4, the kind
// minus 1).
#pragma once
#include "ChoiceDialog.h"

class TfrmRotate : public TChoiceDialog {
public:
    explicit TfrmRotate(forms::TComponent* AOwner);
    forms::TRadioButton *optRotate1, *optRotate2, *optRotate3, *optRotate4, *optRotate5;
};

extern TfrmRotate* frmRotate;
