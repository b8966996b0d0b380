#include "platform/resources.h"

#include "platform/wide.h"

UniqueImageList LoadImageStrip(const char* resourceName, int size, COLORREF transparent) {
    return UniqueImageList(ImageList_LoadImageW(GetModuleHandleW(nullptr), ToWide(resourceName).c_str(), size, 0,
                                                transparent, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}
