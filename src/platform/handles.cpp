#include "platform/handles.h"

void KeyTraits::close(HKEY h) { RegCloseKey(h); }
void FileTraits::close(HANDLE h) { CloseHandle(h); }
void KernelTraits::close(HANDLE h) { CloseHandle(h); }
void FindTraits::close(HANDLE h) { FindClose(h); }
void UrlCacheFindTraits::close(HANDLE h) { FindCloseUrlCache(h); }
void InternetTraits::close(HINTERNET h) { InternetCloseHandle(h); }
void DeleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
void ModuleTraits::close(HMODULE h) { FreeLibrary(h); }
void MenuTraits::close(HMENU h) { DestroyMenu(h); }
void ImageListTraits::close(HIMAGELIST h) { ImageList_Destroy(h); }
