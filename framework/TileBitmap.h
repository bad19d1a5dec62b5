// Background tiling of the program's dialogs: a bitmap copied unscaled, side by side, from (0, 0).
//   TileGrid    columns and rows that cover an area: size / tile size + 1 each way
//   TileBitmap  draws that grid
//   TileWindowBackground  the grid over a whole window, caption and frame included
#pragma once

#include "CDC.h"
#include "CWnd.h"

#include <windows.h>

// Columns in cx, rows in cy; zero for a tile without size.
SIZE TileGrid(int width, int height, SIZE tile);

// Covers width x height of dc from (0, 0) with copies of bitmap; FALSE when there is no bitmap
// to draw (nothing is drawn then).
BOOL TileBitmap(CDC& dc, HBITMAP bitmap, int width, int height);

// Covers the outer size of window (caption and frame included) with copies of bitmap, from the
// corner of dc; FALSE, with nothing drawn, when there is no bitmap.
BOOL TileWindowBackground(CDC& dc, HBITMAP bitmap, const CWnd& window);
