#include "ui/gauge.h"

#include <string>

#include "ui/gdi_util.h"

namespace {
const FontSpec kGaugeFont{"Tahoma", 8, true, false};
}  // namespace

bool TGauge::Create(const CreateArgs& args) {
    args_ = args;
    font_ = MakeFont(kGaugeFont);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0);
    return CreateOwn(L"OrmatekSorvanda.Gauge", style, 0, args.parent, args.bounds);
}

void TGauge::ScaleChanged(int, int) {
    font_ = MakeFont(kGaugeFont);
    Invalidate();
}

void TGauge::SetMaxValue(int max) {
    max_ = max < 0 ? 0 : max;
    Invalidate();
}

void TGauge::SetProgress(int progress) {
    const int before = PercentDone();
    progress_ = progress < 0 ? 0 : progress;
    if (PercentDone() == before) return;  // the picture only changes with the percent
    Invalidate();
    if (hwnd()) UpdateWindow(hwnd());  // the clean run takes no messages; paint now
}

int TGauge::PercentDone() const {
    if (max_ <= 0) return 0;
    const long long p = static_cast<long long>(progress_ > max_ ? max_ : progress_) * 100 / max_;
    return static_cast<int>(p);
}

LRESULT TGauge::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT painted = 0;
    return PaintMessage(msg, painted) ? painted : Default(msg, wp, lp);
}

void TGauge::Paint(HDC dc, const RECT& r) {
    FillSolid(dc, r, RGB(255, 255, 255));
    RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    const int width = inner.right - inner.left;
    RECT bar = inner;
    bar.right = inner.left + width * PercentDone() / 100;
    FillSolid(dc, bar, args_.foreColor);
    FrameSolid(dc, r, RGB(160, 196, 209));
    const std::string text = std::to_string(PercentDone()) + "%";
    SelectGuard sel(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    // The part of the text over the bar is white, the rest dark.
    SetTextColor(dc, RGB(40, 60, 70));
    DrawTextUtf8(dc, text, inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (bar.right > bar.left) {
        const UniqueRegion clip(CreateRectRgnIndirect(&bar));
        SelectClipRgn(dc, clip.get());
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextUtf8(dc, text, inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectClipRgn(dc, nullptr);
    }
}
