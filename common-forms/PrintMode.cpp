#include "PrintMode.h"

#include <algorithm>
#include <cstring>

namespace zvcom {

void MakeModeSafe(DEVMODEA& Mode) {
    Mode.dmSize = kPrintModeSize;
    Mode.dmDriverExtra = 0;
    Mode.dmDeviceName[CCHDEVICENAME - 1] = 0;
}

std::string ModeDeviceName(const DEVMODEA& Mode) {
    const char* name = reinterpret_cast<const char*>(Mode.dmDeviceName);
    return std::string(name, strnlen(name, CCHDEVICENAME));
}

std::vector<BYTE> DriverModeBuffer(const DEVMODEA& Start, size_t Size) {
    std::vector<BYTE> buffer(std::max(Size, kPrintModeSize));
    DEVMODEA mode = Start;
    MakeModeSafe(mode);
    std::memcpy(buffer.data(), &mode, kPrintModeSize);
    return buffer;
}

DEVMODEA ModeBlockOf(const std::vector<BYTE>& DriverMode) {
    DEVMODEA mode = {};
    if (DriverMode.size() < kPrintModeSize) return mode;
    std::memcpy(&mode, DriverMode.data(), kPrintModeSize);
    // A driver with a shorter public part has its own data where the rest
    // of the block would be.
    if (mode.dmSize < kPrintModeSize)
        std::memset(reinterpret_cast<BYTE*>(&mode) + mode.dmSize, 0, kPrintModeSize - mode.dmSize);
    MakeModeSafe(mode);
    return mode;
}

}  // namespace zvcom
