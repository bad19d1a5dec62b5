// PixelByPixelRegion: a window region cut from a mask the slow way, one GetPixel and one
// CombineRgn per pixel: the reference that the fast region building is checked against.
#pragma once

#include <windows.h>

// The rectangle (0, 0, window) with every exactly black pixel of mask XORed away; positions
// outside the mask read as no colour and change nothing. The caller deletes the region.
HRGN PixelByPixelRegion(HDC dc, HBITMAP mask, SIZE window);
