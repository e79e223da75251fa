// The pixels that the selection frame inverts, as the tests expect them.
#pragma once

namespace testsupport {

// Whether the frame of a W x H rectangle inverts the pixel (X, Y) of the
// rectangle at phase P: the pixels of the edge counted from the top-left
// corner, along the top and down the right edge, and down the left and along
// the bottom edge (its last pixel is the right edge's), in dashes of 4 and
// gaps of 4 shifted by P.
inline bool InSelectionFrame(int W, int H, int P, int X, int Y) {
    int s;
    if (Y == 0)
        s = X;
    else if (X == W - 1)
        s = W - 1 + Y;
    else if (X == 0)
        s = Y;
    else if (Y == H - 1)
        s = H - 1 + X;
    else
        return false;
    return ((s - P) % 8 + 8) % 8 < 4;
}

}  // namespace testsupport
