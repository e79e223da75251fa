// Whether a picture control shows a bitmap resource of the module, read
// from the screen: every pixel of the resource but its ground (the colour
// of its bottom-left pixel) must show at its place over the control.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace shownpicture {

// The pixels of a bitmap, top row first, as 0x00RRGGBB; the size in W, H.
inline std::vector<std::uint32_t> Pixels(HDC Dc, HBITMAP Bitmap, int& W, int& H) {
    BITMAP info = {};
    GetObjectA(Bitmap, sizeof info, &info);
    W = info.bmWidth;
    H = info.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, W, -H, 1, 32, BI_RGB};
    std::vector<std::uint32_t> pixels(static_cast<size_t>(W) * static_cast<size_t>(H));
    GetDIBits(Dc, Bitmap, 0, static_cast<UINT>(H), pixels.data(), &bi, DIB_RGB_COLORS);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

// "" when Wnd's client area shows the resource Name at its top-left;
// otherwise how many pixels differ and the first of them.
inline std::string Mismatch(HWND Wnd, const char* Name) {
    HBITMAP resource =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!resource) return std::string("no resource ") + Name;
    HDC screen = GetDC(nullptr);
    int w = 0, h = 0;
    const std::vector<std::uint32_t> expected = Pixels(screen, resource, w, h);
    DeleteObject(resource);
    POINT origin = {0, 0};
    ClientToScreen(Wnd, &origin);
    HBITMAP shot = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, shot);
    BitBlt(dc, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    int sw = 0, sh = 0;
    const std::vector<std::uint32_t> shown = Pixels(screen, shot, sw, sh);
    DeleteObject(shot);
    ReleaseDC(nullptr, screen);

    const std::uint32_t ground = expected[static_cast<size_t>(h - 1) * static_cast<size_t>(w)];
    int wrong = 0;
    std::string first;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
            if (expected[i] == ground || shown[i] == expected[i]) continue;
            if (wrong++ == 0) {
                char text[96];
                snprintf(text, sizeof text, "(%d, %d) shows %06X instead of %06X", x, y, shown[i], expected[i]);
                first = text;
            }
        }
    return wrong ? std::to_string(wrong) + " pixels of " + Name + " differ, the first at " + first : "";
}

}  // namespace shownpicture
