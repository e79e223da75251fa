// Scroll bars as controls of their own: a position between Min and Max,
// moved by the user's arrows, page clicks and thumb, or by the program.
#pragma once
#include <functional>

#include "Controls.h"

namespace forms {

enum TScrollBarKind { sbHorizontal, sbVertical };
// The user's scroll request (an SB_ code) and the position it leads to,
// which the handler may change.
using TScrollEvent = std::function<void(TComponent* Sender, int Code, int& ScrollPos)>;

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    TScrollBarKind Kind = sbHorizontal;  // set before the bar has its window
    int SmallChange = 1, LargeChange = 1;
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int PageSize() const { return FPageSize; }
    int Position() const { return FPosition; }
    // The thumb covers PageSize of Min..Max, so the position goes up to
    // Max - PageSize + 1 (or Max without a page).
    void SetParams(int APosition, int AMin, int AMax, int APageSize);
    void SetPosition(int Value) { SetParams(Value, FMin, FMax, FPageSize); }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value, FPageSize); }
    void SetPageSize(int Value) { SetParams(FPosition, FMin, FMax, Value); }
    // Scrolls a picture Extent long shown ViewLength at a time along the
    // bar: when it is not Needed the bar stands disabled at 0; otherwise
    // its thumb covers the view and a page moves a little less than it.
    // The picture's offset along the bar is returned.
    int ScrollPicture(bool Needed, int Extent, int ViewLength);
    // After every change of the position, the program's or the user's.
    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Scrolled(WORD Code) override;

private:
    int Highest() const;
    void Update();
    int FMin = 0, FMax = 100, FPageSize = 0, FPosition = 0;
};

}  // namespace forms
