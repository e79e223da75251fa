// The default coded capture settings.
#include <string>

#include "CaptureSettings.h"
#include "Classes.h"

namespace {

// Immediately; 3 seconds; left click; no hot key.
const std::string kWhen("\x00\x03\x00\x00\x00", 5);
// Full screen; Left 0, Right 500, Top 0, Bottom 300; white cursor background.
const std::string kWhat("\x00\x00\x00\x05\x00\x00\x00\x03\x00\xFF\xFF\xFF", 12);
// Show captured screen; paste to an existing picture; 2 digits; depend on
// the number; no printer name; file name "Screen".
const std::string kThen("\x00\x00\x02\x01\x00\x06Screen", 12);
// Show the icon on the task bar; include the mouse cursor.
const std::string kOptions("\x01\x01", 2);

}  // namespace

ZVSCREEN_API void WINAPI ZvDefaultCapture(int Part, ShortString& Out) {
    forms::SafeCall([&] {
        switch (Part) {
        case cpTheme: Out.assign(kWhen + kWhat + kThen + kOptions); break;
        case cpWhen: Out.assign(kWhen); break;
        case cpWhat: Out.assign(kWhat); break;
        case cpThen: Out.assign(kThen); break;
        case cpOptions: Out.assign(kOptions); break;
        default: Out.assign(""); break;
        }
    });
}
