// The About box: one picture with all its text, and an OK picture button.
#pragma once

#include "ui/form.h"
#include "ui/image_ex.h"

class TFrm_About : public Form {
public:
    // Escape and Enter close the box.
    bool PreTranslate(MSG& msg) override;
    static constexpr int kWidth = 493, kHeight = 350;
    bool Create(HWND owner);
    TImageEx Image1;
    TImageEx OKBtn;
};
