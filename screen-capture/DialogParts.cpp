#include "DialogParts.h"

namespace zvscreen {

void KeepDigits(char& Key, char Lowest, char Highest) {
    if (Key != '\b' && (Key < Lowest || Key > Highest)) Key = 0;
}

}  // namespace zvscreen
