// The look the clean run's dialogs share (their background is TileWindowBackground's):
//   kLabelText              yellow of the labels drawn over the tiles
//   FillControlBackground   a control's whole client area in one colour, from its colour request
//   CenterHorizontally      a control moved to the middle of a client width at a given height
#pragma once

#include "framework/CDC.h"
#include "framework/CWnd.h"

constexpr COLORREF kLabelText = RGB(255, 255, 64);

void FillControlBackground(CDC& dc, const CWnd& control, COLORREF color);

// x = clientWidth / 2 - control width / 2, both halves truncated; the control keeps its size,
// which is returned.
SIZE CenterHorizontally(CWnd& control, int clientWidth, int y);
