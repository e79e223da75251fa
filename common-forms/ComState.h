// What the library keeps from its start-up for the other exports.
#pragma once
#include "ShortString.h"

namespace zvcom {

// The product title (default caption of every message box) and the product
// tag of the host program; empty until the host has started the library.
extern ShortString ProductTitle;
extern ShortString ProductTag;

}  // namespace zvcom
