// The decisions of the library's start-up checks, apart from the system
// calls that feed them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace zvcom {

// The name of a colour class in messages: 2 "16", 3 "256", 4 "Hi",
// 5 "True", any other class "".
std::string ColorClassName(int ColorClass);

// Whole megabytes of a byte count, for memories beyond 4 GB too.
std::int64_t Megabytes(std::uint64_t Bytes);

// The least version of the system components the host needs (4.71).
constexpr long kLeastComponentVersion = 262215;

// The component check on the utility library's version answer: an empty
// text when it passes, otherwise the message to show ("" + a false Shown
// when nothing is to be shown). An answer whose number cannot be read fails.
struct ComponentVerdict {
    bool Passed;
    std::string Message;  // empty: fail silently
};
ComponentVerdict CheckComponents(const std::string& VersionAnswer, const std::string& Title);

// The suggested screen size of SuggestResolution 0..3 (0: none).
SIZE SuggestedSize(int SuggestResolution);

// The display is as good as the host suggests.
bool DisplayGoodEnough(int ColorClass, int ScreenWidth, int ScreenHeight, int SuggestColors, int SuggestResolution);

}  // namespace zvcom
