// What the library keeps from its start-up.
#pragma once
#include "ShortString.h"

namespace zvscreen {

extern ShortString ProductTitle;
extern ShortString ProductTag;

}  // namespace zvscreen
