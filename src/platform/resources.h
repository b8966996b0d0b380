// Pictures stored in the executable as resources.
#pragma once

#include "platform/handles.h"

// The square pictures of a bitmap strip resource as an image list, size x size
// each; the colour transparent shows the background. Empty when the resource
// is missing.
UniqueImageList LoadImageStrip(const char* resourceName, int size, COLORREF transparent);

// A copy of an image list whose picture at slot is the picture at from.
UniqueImageList CopyWithPictureAt(HIMAGELIST list, int slot, int from);
