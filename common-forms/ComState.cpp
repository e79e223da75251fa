#include "ComState.h"

namespace zvcom {

ShortString ProductTitle;
ShortString ProductTag;

}  // namespace zvcom
