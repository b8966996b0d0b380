#include "platform/resources.h"

#include "platform/wide.h"

UniqueImageList LoadImageStrip(const char* resourceName, int size, COLORREF transparent) {
    return UniqueImageList(ImageList_LoadImageW(GetModuleHandleW(nullptr), ToWide(resourceName).c_str(), size, 0,
                                                transparent, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

UniqueImageList LoadImageStrip(const char* resourceName, int size, COLORREF transparent, int shownSize) {
    if (shownSize == size || size <= 0 || shownSize <= 0) return LoadImageStrip(resourceName, size, transparent);
    UniqueBitmap strip(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), ToWide(resourceName).c_str(),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) return UniqueImageList();
    BITMAP bm{};
    GetObjectW(strip.get(), sizeof bm, &bm);
    const int count = bm.bmWidth / size;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    UniqueBitmap scaled(CreateCompatibleBitmap(screen, count * shownSize, shownSize));
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldFrom = SelectObject(from, strip.get()), oldTo = SelectObject(to, scaled.get());
    // Each picture alone, so that no picture bleeds into its neighbour; the transparent colour's
    // edge is kept hard (no blend with it), so the mask still finds it.
    const HBRUSH back = CreateSolidBrush(transparent);
    const RECT all{0, 0, count * shownSize, shownSize};
    FillRect(to, &all, back);
    DeleteObject(back);
    SetStretchBltMode(to, COLORONCOLOR);
    for (int i = 0; i < count; ++i)
        StretchBlt(to, i * shownSize, 0, shownSize, shownSize, from, i * size, 0, size, size, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    UniqueImageList list(ImageList_Create(shownSize, shownSize, ILC_COLOR24 | ILC_MASK, count, 0));
    if (list) ImageList_AddMasked(list.get(), scaled.get(), transparent);
    return list;
}

int ScreenDotsPerInch() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int d = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return d > 0 ? d : 96;
    }();
    return dpi;
}

void ReplaceImages(HIMAGELIST into, HIMAGELIST from) {
    if (!into || !from) return;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(from, &cx, &cy);
    ImageList_SetIconSize(into, cx, cy);  // removes every picture
    for (int i = 0, n = ImageList_GetImageCount(from); i < n; ++i)
        if (HICON icon = ImageList_GetIcon(from, i, ILD_NORMAL)) {
            ImageList_AddIcon(into, icon);
            DestroyIcon(icon);
        }
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
