// A track bar: a thumb that the user slides, drags or moves with the keys
// along a scale from Min to Max (which may lie below zero), with tick marks
// below it.
#pragma once
#include "Controls.h"

namespace forms {

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetRange(int AMin, int AMax);
    // The position, kept within Min..Max.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    // How far Page Up, Page Down and a click beside the thumb move it.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    // A tick mark every Frequency steps of the scale, from Min.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int Value);
    bool Focusable() const override { return true; }
    // After every change of the position, the program's or the user's.
    TNotifyEvent OnChange;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    // The thumb moved by the mouse or the keys.
    void Scrolled(WORD Code) override;

private:
    void Changed(int Value);
    int FMin = 0, FMax = 10, FPosition = 0, FPageSize = 2, FFrequency = 1;
};

}  // namespace forms
