#include "platform/handles.h"

void KeyTraits::close(HKEY h) { RegCloseKey(h); }

void ImageListTraits::close(HIMAGELIST h) { ImageList_Destroy(h); }
