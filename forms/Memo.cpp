#include "Memo.h"

namespace forms {

void TMemo::GetCreateParams(CreateParams& Params) {
    TEdit::GetCreateParams(Params);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL;
}

}  // namespace forms
