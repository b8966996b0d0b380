// The skin: JPEG pictures stored in the executable as resources of type "JPG".
#pragma once

#include <string>

#include "platform/handles.h"

class TImageEx;

inline constexpr char kPictureType[] = "JPG";

// Decodes a JPEG held in memory into a 24-bit top-down bitmap; empty on failure.
UniqueBitmap DecodeJpeg(const unsigned char* data, size_t size);
// Decodes the named resource of the given type from the executable (names are
// matched without regard to letter case); empty when absent or not a JPEG.
UniqueBitmap LoadJpegResource(const std::string& name, const char* type = kPictureType);

// Replaces the control's picture with the named resource, unless its Tag is 1.
void LoadButtonPicture(TImageEx& control, const std::string& name, const char* type = kPictureType);
