// The splash window shown while the program starts.
#pragma once

#include "ui/form.h"
#include "ui/image_ex.h"

class TFrm_Start : public Form {
public:
    static constexpr int kWidth = 452, kHeight = 252;
    bool Create();
    TImageEx Image1;
};
