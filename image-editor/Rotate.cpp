#include "Rotate.h"

#include "RegData.h"

TfrmRotate* frmRotate = nullptr;

TfrmRotate::TfrmRotate(forms::TComponent* AOwner)
    : TChoiceDialog(
          AOwner, "frmRotate", "Flip and Rotate", "fraOrientation", " Orientation ",
          {{"optRotate1", "&Mirror", "Flips the selected area or your entire screen horizontally"},
           {"optRotate2", "&Invert", "Flips the selected area or your entire screen vertically"},
           {"optRotate3", "&Transpose", "Rotates the selected area or your entire screen 180 degrees to the right"},
           {"optRotate4", "Rotate &left", "Rotates the selected area or your entire screen 90 degrees to the left"},
           {"optRotate5", "Rotate &right", "Rotates the selected area or your entire screen 90 degrees to the right"}},
          Rotate),
      optRotate1(Buttons[0]),
      optRotate2(Buttons[1]),
      optRotate3(Buttons[2]),
      optRotate4(Buttons[3]),
      optRotate5(Buttons[4]) {}
