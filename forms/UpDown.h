// Up-down buttons: a pair of arrows that step a number by Increment between
// Min and Max (or round from one to the other), shown in an associated edit
// beside them. The arrows, and the Up and Down keys in the edit, change it;
// a number typed in the edit is taken as the position when it lies in the
// range.
#pragma once
#include "Controls.h"

namespace forms {

class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetMin(int Value) { SetRange(Value, FMax); }
    void SetMax(int Value) { SetRange(FMin, Value); }
    // The position, kept within Min..Max.
    int Position() const;
    void SetPosition(int Value);
    // How far one press of an arrow (or of the Up and Down keys) moves the
    // position, at least 1.
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);

    // The edit that shows the position; the buttons sit at its right edge,
    // which gives up their room.
    TEdit* Associate() const { return FAssociate; }
    void SetAssociate(TEdit* Value);
    // Thousands separators in the edit's number; set before the buttons
    // have their window.
    bool Thousands = true;
    // Stepping past Max goes on at Min and below Min at Max, as a hue goes
    // round its circle; set before the buttons have their window.
    bool Wrap = false;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    // An arrow pressed, or an arrow key in the edit: OnClick.
    void Scrolled(WORD Code) override;

private:
    void SetRange(int AMin, int AMax);
    int FMin = 0, FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TEdit* FAssociate = nullptr;
};

}  // namespace forms
