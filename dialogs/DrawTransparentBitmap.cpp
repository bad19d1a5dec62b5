#include "dialogs/DrawTransparentBitmap.h"

#include "framework/UniqueHandle.h"

#include <cstdlib>
#include <initializer_list>

namespace {

// A memory context like the target, in the target's mapping mode.
void MakeWorkContext(CDC& work, CDC* target)
{
    work.CreateCompatibleDC(target);
    ::SetMapMode(work, ::GetMapMode(*target));
}

}  // namespace

// Built from raster operations alone: a monochrome mask of the transparent colour clears the
// picture's place in a copy of the target, the picture with its transparent pixels made black
// is ORed in, and the copy goes back to the target in one piece.
void DrawTransparentBitmap(CDC* target, HBITMAP bitmap, short x, short y, COLORREF transparent)
{
    BITMAP info = {};
    if (!target || !bitmap || !::GetObjectA(bitmap, sizeof(info), &info))
        return;
    CDC source;
    MakeWorkContext(source, target);
    const ScopedSelect sourceBitmap(source, bitmap);
    POINT size = {info.bmWidth, info.bmHeight};
    ::DPtoLP(source, &size, 1);
    const int w = size.x;
    const int h = size.y;

    CDC back, object, memory, save;
    for (CDC* work : {&back, &object, &memory, &save})
        MakeWorkContext(*work, target);
    const UniqueGdiObject<HBITMAP> backBits(::CreateBitmap(std::abs(w), std::abs(h), 1, 1, nullptr));
    const UniqueGdiObject<HBITMAP> objectBits(::CreateBitmap(std::abs(w), std::abs(h), 1, 1, nullptr));
    const UniqueGdiObject<HBITMAP> memoryBits(::CreateCompatibleBitmap(*target, std::abs(w), std::abs(h)));
    const UniqueGdiObject<HBITMAP> saveBits(::CreateCompatibleBitmap(*target, std::abs(w), std::abs(h)));
    const ScopedSelect backSelection(back, backBits.get());
    const ScopedSelect objectSelection(object, objectBits.get());
    const ScopedSelect memorySelection(memory, memoryBits.get());
    const ScopedSelect saveSelection(save, saveBits.get());

    save.BitBlt(0, 0, w, h, &source, 0, 0, SRCCOPY);
    // Colour to monochrome: the source's background colour turns white, every other one black.
    const COLORREF previousBackground = source.SetBkColor(transparent);
    object.BitBlt(0, 0, w, h, &source, 0, 0, SRCCOPY);
    source.SetBkColor(previousBackground);
    back.BitBlt(0, 0, w, h, &object, 0, 0, NOTSRCCOPY);

    memory.BitBlt(0, 0, w, h, target, x, y, SRCCOPY);
    memory.BitBlt(0, 0, w, h, &object, 0, 0, SRCAND);
    source.BitBlt(0, 0, w, h, &back, 0, 0, SRCAND);
    memory.BitBlt(0, 0, w, h, &source, 0, 0, SRCPAINT);
    target->BitBlt(x, y, w, h, &memory, 0, 0, SRCCOPY);

    source.BitBlt(0, 0, w, h, &save, 0, 0, SRCCOPY);
}
