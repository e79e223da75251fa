// Group boxes: an etched frame with a caption in its top edge, around the
// controls placed in it.
#pragma once
#include "Controls.h"

namespace forms {

class TGroupBox : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void Paint(TCanvas& Canvas) override;
};

}  // namespace forms
