// Pictures stored in the executable as resources.
#pragma once

#include "platform/handles.h"

// The square pictures of a bitmap strip resource as an image list, size x size
// each; the colour transparent shows the background. Empty when the resource
// is missing.
UniqueImageList LoadImageStrip(const char* resourceName, int size, COLORREF transparent);
// The same with each picture shown shownSize x shownSize, stretched smoothly
// (the screen's scale); shownSize == size is LoadImageStrip.
UniqueImageList LoadImageStrip(const char* resourceName, int size, COLORREF transparent, int shownSize);

// The screen's dots per inch (96 at 100 %), asked once.
int ScreenDotsPerInch();

// The pictures of from put into into (emptied first, sized as from), so that
// whoever shows into keeps its handle.
void ReplaceImages(HIMAGELIST into, HIMAGELIST from);

// A copy of an image list whose picture at slot is the picture at from.
UniqueImageList CopyWithPictureAt(HIMAGELIST list, int slot, int from);
