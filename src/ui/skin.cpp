#include "ui/skin.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h expects size_t and FILE to be declared.
extern "C" {
#include <jpeglib.h>
}

#include "platform/wide.h"
#include "ui/image_ex.h"
#include "ui/window.h"

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void OnJpegError(j_common_ptr cinfo) {
    // The default handler ends the process; a bad picture must not.
    longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

void SilenceJpeg(j_common_ptr, int) {}

// Decodes into a DIB section. Only plain data lives across setjmp.
HBITMAP DecodeToDib(const unsigned char* data, size_t size) {
    jpeg_decompress_struct cinfo;
    JpegError err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = OnJpegError;
    err.mgr.emit_message = SilenceJpeg;
    HBITMAP volatile bitmap = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;  // the byte order of a 24-bit DIB
    jpeg_start_decompress(&cinfo);
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        jpeg_destroy_decompress(&cinfo);
        return nullptr;
    }
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = static_cast<JSAMPROW>(bits) + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    GdiFlush();
    return bitmap;
}

}  // namespace

UniqueBitmap DecodeJpeg(const unsigned char* data, size_t size) {
    if (!data || size == 0) return UniqueBitmap();
    return UniqueBitmap(DecodeToDib(data, size));
}

UniqueBitmap LoadJpegResource(const std::string& name, const char* type) {
    HMODULE module = AppInstance();
    HRSRC res = FindResourceW(module, ToWide(name).c_str(), ToWide(type).c_str());
    if (!res) return UniqueBitmap();
    HGLOBAL loaded = LoadResource(module, res);
    const DWORD size = SizeofResource(module, res);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return UniqueBitmap();
    return DecodeJpeg(static_cast<const unsigned char*>(data), size);
}

void LoadButtonPicture(TImageEx& control, const std::string& name, const char* type) {
    if (control.Tag == 1) return;
    UniqueBitmap bmp = LoadJpegResource(name, type);
    if (bmp) control.SetPicture(std::move(bmp), name);
}
