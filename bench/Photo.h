// The picture the benchmarks work on: 4000 x 3000 pixels like a photograph.
#pragma once
#include <cstdint>
#include <memory>

#include "Graphics.h"

constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;

// Gradients with a fine pattern in red and some noise everywhere, so that
// JPEG has detail to keep and no two neighbours are alike.
inline std::unique_ptr<forms::TBitmap> Photo() {
    auto b = std::make_unique<forms::TBitmap>();
    b->SetSize(kPhotoWidth, kPhotoHeight);
    std::uint32_t noise = 2463534242u;
    for (int y = 0; y < kPhotoHeight; ++y) {
        std::uint8_t* p = b->ScanLine(y);
        for (int x = 0; x < kPhotoWidth; ++x, p += 3) {
            noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
            p[0] = std::uint8_t(x * 239 / kPhotoWidth + (noise & 15));
            p[1] = std::uint8_t(y * 239 / kPhotoHeight + (noise >> 4 & 15));
            p[2] = std::uint8_t((x ^ y) + (noise >> 8 & 15));
        }
    }
    return b;
}
