#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/image_ex.h"
#include "ui/skin.h"

namespace {
SIZE BitmapSize(HBITMAP b) {
    BITMAP bm{};
    GetObjectW(b, sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight};
}
}  // namespace

TEST(Skin, EveryPictureDecodesAtTheSizeOfItsControl) {
    struct Pic { const char* name; int w, h; };
    const std::vector<Pic> pics = {
        {"Banner", 740, 92}, {"LeftStrip", 178, 389}, {"RightStrip", 16, 389}, {"BottomStrip", 740, 38},
        {"Splash", 452, 252}, {"About", 493, 350}, {"OK", 95, 25}, {"OK1", 95, 25},
        {"ScanNowBtn", 187, 65}, {"ScanNowBtn1", 187, 65}, {"HelpIcon", 14, 14}, {"AboutIcon", 14, 14},
        {"CloseBtn", 27, 18}, {"CloseBtn1", 27, 18}, {"MinimizeBtn", 27, 18}, {"MinimizeBtn1", 27, 18},
    };
    for (const Pic& p : pics) {
        UniqueBitmap b = LoadJpegResource(p.name);
        ASSERT_TRUE(b) << p.name;
        const SIZE s = BitmapSize(b.get());
        EXPECT_EQ(s.cx, p.w) << p.name;
        EXPECT_EQ(s.cy, p.h) << p.name;
    }
    for (const char* name : {"ScanBtn", "ResultBtn", "ExcludeBtn", "AdvancedBtn"})
        for (const std::string& n : {std::string(name), std::string(name) + "1"}) {
            UniqueBitmap b = LoadJpegResource(n);
            ASSERT_TRUE(b) << n;
            EXPECT_EQ(BitmapSize(b.get()).cx, 153) << n;
            EXPECT_EQ(BitmapSize(b.get()).cy, 49) << n;
        }
    for (const char* name : {"CleanBtn", "ModifyBtn", "RemoveBtn", "AbortBtn", "FinishBtn", "CheckAgainBtn"})
        for (const std::string& n : {std::string(name), std::string(name) + "1"}) {
            UniqueBitmap b = LoadJpegResource(n);
            ASSERT_TRUE(b) << n;
            EXPECT_EQ(BitmapSize(b.get()).cx, 98) << n;
            EXPECT_EQ(BitmapSize(b.get()).cy, 22) << n;
        }
}

TEST(Skin, ResourceNamesIgnoreLetterCase) {
    EXPECT_TRUE(LoadJpegResource("scannowbtn1"));
    EXPECT_TRUE(LoadJpegResource("SCANNOWBTN"));
    EXPECT_FALSE(LoadJpegResource("NoSuchPicture"));
    EXPECT_FALSE(LoadJpegResource("ScanNowBtn", "BMP"));  // the type must match too
}

TEST(Skin, BrokenJpegDataGivesNoPictureAndNoCrash) {
    const unsigned char garbage[] = "this is not a jpeg at all";
    EXPECT_FALSE(DecodeJpeg(garbage, sizeof garbage));
    EXPECT_FALSE(DecodeJpeg(nullptr, 0));
    const unsigned char header[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0};
    EXPECT_FALSE(DecodeJpeg(header, sizeof header));  // cut off after the header
}

TEST(Skin, TagOneLocksThePicture) {
    TImageEx img;
    ASSERT_TRUE(img.Create({HWND_MESSAGE, {0, 0, 27, 18}}));
    LoadButtonPicture(img, "CloseBtn1");
    EXPECT_EQ(img.PictureName(), "CloseBtn1");
    img.Tag = 1;
    LoadButtonPicture(img, "CloseBtn");
    EXPECT_EQ(img.PictureName(), "CloseBtn1");
    img.Tag = 0;
    LoadButtonPicture(img, "CloseBtn");
    EXPECT_EQ(img.PictureName(), "CloseBtn");
    LoadButtonPicture(img, "Missing");  // no such picture: the old one stays
    EXPECT_EQ(img.PictureName(), "CloseBtn");
}
