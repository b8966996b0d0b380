// The main window: a borderless, skinned window with four pages (Scan,
// Result, Exclude, Advanced) switched by the picture buttons on the left.
#pragma once

#include <array>
#include <memory>

#include "model/tree_model.h"
#include "ui/advanced_shred_form.h"
#include "ui/form.h"
#include "ui/gauge.h"
#include "ui/image_ex.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/tree_view.h"

class TFrm_Main : public Form {
public:
    static constexpr int kWidth = 740, kHeight = 519;
    enum Page { kPageScan = 0, kPageResult = 1, kPageExclude = 2, kPageAdvanced = 3 };

    TFrm_Main();
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
    void ScanNowBtnMouseEnter(TImageEx& sender);
    void ScanNowBtnMouseLeave(TImageEx& sender);
    void ScanBtnClick();
    void ResultBtnClick();
    void ExcludeBtnClick();
    void AdvancedBtnClick();
    void Image1MouseDown(const MouseEvent& e);
    void HelpBtnClick();
    void AboutBtnClick();
    bool tvItemsListMouseDown(const MouseEvent& e, const TreeHit& hit);

    // Scan run.
    void ScanNowBtnClick();
    void AbortBtnClick();
    void BuildResultTree();
    void ShowSummary();
    int FoundTotal = 0;
    // Called as the run comes to each ticked item (tests use it to press Abort).
    std::function<void(int node)> onScanItem;

    // Clean run.
    void CleanBtnClick();
    void FinishBtnClick();
    void RunClean();
    void RecountItems();
    // Called when the engine has finished, before the gauge is hidden (tests read it).
    std::function<void()> onCleanFinished;

    // Exclusions.
    void Exclude1Click();
    void ModifyBtnClick();
    void RemoveBtnClick();
    bool tvExcludeMouseDown(const MouseEvent& e, const TreeHit& hit);
    // Called with the Modify dialog while it is shown modally (tests use it).
    std::function<void(class TExcludeDataForm&)> onModifyShown;
    UniqueMenu pmExclude;

    // Result views.
    void BuildResultList(int category, int item, bool append);
    void ResultTreeViewChange(int node);
    bool ResultTreeViewMouseDown(const MouseEvent& e, const TreeHit& hit);
    bool ResultListViewMouseDown(const MouseEvent& e, const ListView::Hit& hit);
    std::string ResultListViewData(int row, int column) const;

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

    // Scan page.
    Panel ScanFrame, ScanStrip;
    TreeView tvItemsList;
    TreeModel ItemTree;
    TGauge ScanGauge;
    TImageEx ScanNowBtn, AbortBtn;

    // Result page.
    Panel ResultTreeFrame, ResultListFrame, ResultStrip;
    TreeView ResultTreeView;
    TreeModel ResultTree;
    ListView ResultListView;
    TGauge cdGauge;
    Label abStepMsg, abHintStr, lblItemsFound, abResultCount, lblSize, abResultSpace, panResultSpace;
    TImageEx CleanBtn, FinishBtn;

    // Exclude page.
    Panel ExcludeTreeFrame, ExcludeListFrame, ExcludeStrip;
    TreeView tvExclude;
    TreeModel ExcludeTree{true};
    ListView ExcludeListView;
    TImageEx ModifyBtn, RemoveBtn;
    Label abExcludeWarning;  // shown while the exclusion file cannot be read

    // Advanced page: the shred form, made on the first visit.
    Panel AdvancedPanel;
    std::unique_ptr<TAdvancedShredForm> AdvancedShredForm;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateFrame();
    void CreateScanPage();
    void CreateResultPage();
    void CreateExcludePage();
    void CreateAdvancedPage();
    void MakeButton(TImageEx& b, HWND parent, const Bounds& bounds, const char* name, bool visible = true);
    void MakePicture(TImageEx& p, HWND parent, const Bounds& bounds, const char* name);
    // The page switch shared by the four page buttons.
    bool SwitchPage(Page page, TImageEx& button);
    void ShowPageButtons(TImageEx& shown);
    std::array<TImageEx*, 4> PageButtons() { return {&ScanBtn, &ResultBtn, &ExcludeBtn, &AdvancedBtn}; }
    void BuildExcludeTree();
    // Says that the exclusion file could not be read and was left as it is.
    void ListUnreadMessage();
    void RecountExcludeTree();
    // Takes the record a row was built from out of its collection and keeps
    // the other rows pointing at their records.
    void WithdrawRecord(const struct TResultItem& row);
    void tvExcludeChange(int node);
    void CreateResultViews();
    // Drops the removed records and the rows built from them.
    void PurgeDeletedResults();

    bool shown_ = false;
};

extern TFrm_Main* Frm_Main;
