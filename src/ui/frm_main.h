// The main window: a borderless, skinned window with four pages (Scan,
// Result, Exclude, Advanced) switched by the picture buttons on the left. The
// window holds the frame and the pages; the pages reach it, and through it
// each other, by the PageHost interface.
#pragma once

#include <array>
#include <memory>

#include "model/result_session.h"
#include "ui/advanced_shred_form.h"
#include "ui/exclude_page.h"
#include "ui/form.h"
#include "ui/image_ex.h"
#include "ui/label.h"
#include "ui/page_host.h"
#include "ui/panel.h"
#include "ui/result_page.h"
#include "ui/scan_page.h"

class TFrm_Main : public Form, private PageHost {
public:
    static constexpr int kWidth = 740, kHeight = 519;
    enum Page { kPageScan = 0, kPageResult = 1, kPageExclude = 2, kPageAdvanced = 3 };

    ~TFrm_Main() override;
    // Creates the window and its controls (FormCreate); not yet shown.
    bool Create();
    // Shows the window the first time (FormShow).
    void ShowFirst();

    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormResize();
    void CloseBtnClick();
    void MinimizeBtnClick();
    void ScanBtnClick();
    void ResultBtnClick();
    void ExcludeBtnClick();
    void AdvancedBtnClick();
    void Image1MouseDown(const MouseEvent& e);
    void HelpBtnClick();
    void AboutBtnClick();

    // F1 opens the help, Alt+S, Alt+R, Alt+E and Alt+A the pages; Tab and
    // Shift+Tab move the focus through the window, Enter presses a button.
    bool PreTranslate(MSG& msg) override;
    void ScaleChanged(int oldDpi, int newDpi) override;

    // Called with the About box while it is shown modally (tests use it).
    std::function<void(class TFrm_About&)> onAboutShown;

    // Frame.
    Panel TopPanel, LeftPanel, MainPanel, RightPanel, BottonPanel;
    TImageEx Image1, Image2, Image3, Image4;
    TImageEx MinimizeBtn, CloseBtn;
    TImageEx ScanBtn, ResultBtn, ExcludeBtn, AdvancedBtn;
    TImageEx HelpIcon, AboutIcon;
    Label HelpBtn, AboutBtn;
    Notebook DataNotebook;

    // What a scan found and what the pages show of it: the window's own, for
    // its whole life.
    ScanSession Session;

    // The pages.
    TScanPage ScanPage{*this};
    TResultPage ResultPage{*this};
    TExcludePage ExcludePage{*this};

    // Advanced page: the shred form, made on the first visit.
    Panel AdvancedPanel;
    std::unique_ptr<TAdvancedShredForm> AdvancedShredForm;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // PageHost: what the pages ask of the window.
    HWND HostWindow() const override { return hwnd(); }
    ScanSession& HostSession() override { return Session; }
    void PageBackgroundMouseDown(const MouseEvent& e) override { Image1MouseDown(e); }
    TreeModel& ItemTree() override { return ScanPage.ItemTree; }
    void ScanStarting() override { ResultPage.ClearRows(); }
    void ScanEnded(int found) override { ResultPage.ShowScanResults(found); }
    void ShowResultPage() override { ResultBtnClick(); }
    void ShowScanPage() override { ScanBtnClick(); }
    void ScanAgain() override {
        const TraceSet unticked = UntickedTraces(Session);
        ScanBtnClick();
        ScanPage.ScanNowBtnClick(&unticked);
    }
    void TicksChanged() override { ScanPage.KeepTicks(); }

    void CreateFrame();
    void CreateAdvancedPage();
    void MakePicture(TImageEx& p, HWND parent, const Bounds& bounds, const char* name);
    // The page switch shared by the four page buttons.
    bool SwitchPage(Page page, TImageEx& button);
    void ShowPageButtons(TImageEx& shown);
    std::array<TImageEx*, 4> PageButtons() { return {&ScanBtn, &ResultBtn, &ExcludeBtn, &AdvancedBtn}; }

    bool shown_ = false;
};

