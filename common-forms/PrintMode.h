// The printer mode block that the printer dialog hands out and takes in:
// Windows' DEVMODEA in its 156-byte form, without the driver's own data.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zvcom {

constexpr size_t kPrintModeSize = 156;
static_assert(sizeof(DEVMODEA) == kPrintModeSize, "the mode block is a DEVMODEA of 156 bytes");

// Makes a block that came from outside safe to hand to a driver: it says
// it is 156 bytes with no driver data after it, and its device name ends
// within its 32 bytes.
void MakeModeSafe(DEVMODEA& Mode);

// The device name the block belongs to: its first 32 bytes up to the
// first zero.
std::string ModeDeviceName(const DEVMODEA& Mode);

// The block a driver works in, of the Size it asks for: the public part
// from Start (made safe), no driver data of its own.
std::vector<BYTE> DriverModeBuffer(const DEVMODEA& Start, size_t Size);

// The first 156 bytes of a mode a driver gave (its public part), made
// safe; an empty or shorter block gives a zero block.
DEVMODEA ModeBlockOf(const std::vector<BYTE>& DriverMode);

}  // namespace zvcom
