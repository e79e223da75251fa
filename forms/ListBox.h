// Fixed lists whose items the owner draws, all of one height.
#pragma once
#include "ComboBox.h"

namespace forms {

// The user's choice of an item runs OnClick.
class TListBox : public TOwnerDrawList {
public:
    explicit TListBox(TComponent* AOwner);

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Notify(WORD Code) override;
};

}  // namespace forms
