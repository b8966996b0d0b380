#include "platform/resources.h"

#include "platform/wide.h"

UniqueImageList LoadImageStrip(const char* resourceName, int size, COLORREF transparent) {
    return UniqueImageList(ImageList_LoadImageW(GetModuleHandleW(nullptr), ToWide(resourceName).c_str(), size, 0,
                                                transparent, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

UniqueImageList CopyWithPictureAt(HIMAGELIST list, int slot, int from) {
    if (!list) return UniqueImageList();
    UniqueImageList copy(ImageList_Duplicate(list));
    if (HICON icon = ImageList_GetIcon(list, from, ILD_NORMAL)) {
        ImageList_ReplaceIcon(copy.get(), slot, icon);
        DestroyIcon(icon);
    }
    return copy;
}
