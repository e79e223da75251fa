// A memo: an edit of several lines, with both scroll bars.
#pragma once
#include "Controls.h"

namespace forms {

// Lines end in CR LF in its text; Enter starts a new line when no default
// button takes the key, and the lines scroll sideways instead of wrapping.
// The maximum length (SetMaxLength) counts every character, line ends too.
class TMemo : public TEdit {
public:
    using TEdit::TEdit;
    void Clear() { SetText(""); }

protected:
    void GetCreateParams(CreateParams& Params) override;
};

}  // namespace forms
