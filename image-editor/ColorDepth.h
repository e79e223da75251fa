// The Color Depth dialog: 1, 4, 8 or 16 bits, the choice kept in ColorDepth
// (0..3).
#pragma once
#include "ChoiceDialog.h"

class TfrmColorDepth : public TChoiceDialog {
public:
    explicit TfrmColorDepth(forms::TComponent* AOwner);
    forms::TRadioButton *optColorDepth1, *optColorDepth2, *optColorDepth3, *optColorDepth4;
};

extern TfrmColorDepth* frmColorDepth;
