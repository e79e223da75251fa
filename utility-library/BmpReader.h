// Reading Windows bitmap files, and what the library's picture readers
// share: random access to a file's bytes and the largest picture they make.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "Graphics.h"

namespace pictures {

// The largest picture read from a file, in bytes of 24-bit pixels (about 89
// million pixels, 10900 x 8200 for instance). A compressed file (RLE, JPEG)
// or a metafile claims any size in a few bytes; a larger claim is refused
// before anything is allocated for it.
constexpr std::uint64_t kMaxPictureBytes = std::uint64_t(1) << 28;

// Little-endian fields of a file.
inline std::uint16_t U16(const std::uint8_t* P) { return static_cast<std::uint16_t>(P[0] | P[1] << 8); }
inline std::int16_t I16(const std::uint8_t* P) { return static_cast<std::int16_t>(U16(P)); }
inline std::uint32_t U32(const std::uint8_t* P) { return P[0] | P[1] << 8 | P[2] << 16 | std::uint32_t(P[3]) << 24; }
inline std::int32_t I32(const std::uint8_t* P) { return static_cast<std::int32_t>(U32(P)); }

// The bytes of a file, read where they are needed.
class TByteSource {
public:
    virtual ~TByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // False when the Count bytes at Offset are not all in the file or cannot
    // be read.
    virtual bool ReadAt(std::uint64_t Offset, void* Buffer, std::size_t Count) = 0;
};

// True when a 24-bit picture of Width x Height has positive sides and is
// not larger than kMaxPictureBytes.
bool SaneSize(std::int64_t Width, std::int64_t Height);

// A new white picture of that size; nullptr when the size is not sane or
// the system has not the memory for it.
std::unique_ptr<forms::TBitmap> NewPicture(std::int64_t Width, std::int64_t Height);

// The picture of a Windows bitmap file; nullptr when the file is damaged,
// lies about its sizes or is of a kind not read here.
std::unique_ptr<forms::TBitmap> ReadBmp(TByteSource& File);

}  // namespace pictures
