// The Image menu's commands on the active screen: on its floating selection
// when it has one, else on its whole picture. Each makes one undo step (on
// a selection only the lift does), marks the screen modified, and, when the
// memory runs out, tells so and changes nothing. Without an active screen
// they do nothing. The menu's handlers and the dialogs call them.
#pragma once

// Flips or turns: Kind 1 mirror, 2 upside down, 3 half turn, 4 a quarter to
// the left, 5 a quarter to the right.
void FlipActiveScreen(int Kind);
// Reduces the colours to those of Depth 1 (1 bit), 2 (4 bits), 3 (8 bits) or
// 4 (5 bits a channel), the picture staying a 24-bit one.
void ReduceActiveScreenColors(int Depth);
// Brightness by Amount (-100..100) in a style of ApplyBrightness; an Amount
// of 0 does nothing at all.
void BrightenActiveScreen(int Amount, int Style);
// A new size: Stretch draws the picture over it, otherwise its pixels stay
// where they are from the top-left corner and the area gained takes the
// background colour.
void ResizeActiveScreen(int Width, int Height, bool Stretch);
