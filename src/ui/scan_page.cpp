#include "ui/scan_page.h"

#include <algorithm>
#include <utility>

#include "app/data_module.h"
#include "app/settings.h"
#include "exclude/exclude_store.h"
#include "model/item_tree.h"
#include "platform/message_pump.h"
#include "platform/processes.h"
#include "platform/user_dialogs.h"
#include "scan/scan_run.h"
#include "scan/scanners.h"

namespace {

// Shows the data module's scanning animation on a tree for as long as it lives.
class AnimationOn {
public:
    explicit AnimationOn(TreeModel& tree) {
        if (DM) DM->OnEvidenceFrame = [&tree](int node, int frame) { tree.ShowFrame(node, frame); };
    }
    ~AnimationOn() {
        if (DM) DM->OnEvidenceFrame = nullptr;
    }
    AnimationOn(const AnimationOn&) = delete;
    AnimationOn& operator=(const AnimationOn&) = delete;
};

}  // namespace

void TScanPage::Create(HWND page) {
    MakeFramedTree(ScanFrame, tvItemsList, ItemTree, page, {10, 10, 526, 294},
                   [this](const MouseEvent& e, const TreeHit& hit) { return tvItemsListMouseDown(e, hit); });
    tvItemsList.OnSpace = [this](TreeView&, int node) {
        if (node >= 0) TickBoxClicked(node);
    };

    ScanStrip.Create(PanelArgs(page, {0, kPageHeight - 79, kPageWidth, 79}));
    ScanStrip.onMouseDown = [this](Panel&, const MouseEvent& e) { host_.PageBackgroundMouseDown(e); };
    TGauge::CreateArgs g;
    g.parent = ScanStrip.hwnd();
    g.bounds = {15, 16, 281, 22};
    g.foreColor = RGB(158, 183, 161);
    g.visible = false;
    ScanGauge.Create(g);
    Label::CreateArgs notice;
    notice.parent = ScanStrip.hwnd();
    notice.bounds = {15, 20, 300, 16};
    notice.font = {"Tahoma", 8, false, false};
    notice.color = RGB(120, 120, 120);
    notice.visible = false;
    RulesNotice.Create(notice);
    const int right = kPageWidth - 203;
    MakeButton(AbortBtn, ScanStrip.hwnd(), {right + 93, 19, 98, 22}, "AbortBtn", false);
    MakeButton(ScanNowBtn, ScanStrip.hwnd(), {right + 6, 4, 187, 65}, "ScanNowBtn");
    AbortBtn.OnClick = [this](TImageEx&) { AbortBtnClick(); };
    ScanNowBtn.OnClick = [this](TImageEx&) { ScanNowBtnClick(); };
}

void TScanPage::ShowCatalog() {
    if (!std::exchange(ticksRead_, true)) keptTicks_ = ReadKeptTicks();
    BuildItemTree(ItemTree, host_.HostSession().Catalogs(), &keptTicks_);
    // A browser with no profile on this machine adds nothing to the tree.
    for (int c = 0; c < kCategoryCount; ++c) ItemTree.SetHidden(kCatalogCategories[c].node, !CategoryHasProfiles(c));
    ShowParentTicks(ItemTree);
}

void TScanPage::KeepTicks() {
    keptTicks_ = TickChoicesOf(host_.HostSession().Catalogs());
    WriteKeptTicks(keptTicks_);
}

void TScanPage::ScanNowBtnClick(const TraceSet* keepUnticked) {
    ScanSession& session = host_.HostSession();
    if (session.ScanState != kScanIdle) return;
    if (IsProcessRunning("firefox.exe")) {
        Dialogs().Message(host_.HostWindow(), "Mozilla Firefox is running, please close Firefox!", kAppTitle,
                          MB_ICONWARNING | MB_OK);
        return;
    }
    if (session.ExcludeList.FileUnread && !ReadExcludeItemsAgain(session.ExcludeList))
        Dialogs().Message(host_.HostWindow(),
                          session.ExcludeList.FileDamaged
                              ? "Some lines of the exclusion list could not be read: this scan also lists the traces "
                                "they exclude. Untick them before you clean."
                              : "The exclusion list could not be read: this scan also lists the traces it excludes. "
                                "Untick them before you clean.",
                          kAppTitle, MB_ICONWARNING | MB_OK);
    ScanNowBtn.Show(false);
    AbortBtn.Show(true);
    ScanGauge.SetProgress(0);
    ScanGauge.Show(true);
    RulesNotice.Show(false);
    // A hundred steps an item: an item that knows its total moves the gauge within its own hundred.
    ScanGauge.SetMaxValue(CountTickedItems(ItemTree) * kGaugeStepsPerItem);
    int itemsDone = 0;
    host_.ScanStarting();

    ScanRunView view;
    view.beforeItem = [] { ProcessMessagesNow(); };
    view.categoryStarting = [](int) {
        if (!DM) return;
        DM->EvidenceFrame = kImageScanFirst;
        DM->EvidenceTimer.SetEnabled(true);
    };
    view.categoryDone = [](int) {
        if (DM) DM->EvidenceTimer.SetEnabled(false);
    };
    view.itemStarting = [this](int node) {
        if (DM) DM->EvidenceNode = node;
        if (onScanItem) onScanItem(node);
    };
    view.itemDone = [this, &itemsDone](int) {
        // A tick that comes before the next item starts must not paint over the idle picture.
        if (DM) DM->EvidenceNode = -1;
        ScanGauge.SetProgress(++itemsDone * kGaugeStepsPerItem);
    };
    view.itemProgress = [this, &itemsDone](double fraction) {
        const int within = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * (kGaugeStepsPerItem - 1));
        const int at = itemsDone * kGaugeStepsPerItem + within;
        if (at > ScanGauge.Progress()) ScanGauge.SetProgress(at);  // never back: an item may read several databases
    };
    {
        AnimationOn animation(ItemTree);
        FoundTotal = RunScan(session, ItemTree, view);
    }
    if (keepUnticked) UntickAgain(session, *keepUnticked);

    host_.ScanEnded(FoundTotal);
    ScanGauge.Show(false);
    RulesNotice.Show(!RulesNotice.Caption().empty());
    ScanNowBtn.Show(true);
    AbortBtn.Show(false);
    host_.ShowResultPage();
}

void TScanPage::TickBoxClicked(int node) {
    // A rule that warns is ticked only once the user read its warning and agreed.
    const std::vector<const CatalogItem*> warned = WarnedItemsTickedBy(ItemTree, node);
    if (warned.empty()) {
        ClickTickBox(ItemTree, node);
        return KeepTicks();
    }
    const bool agreed = Dialogs().Message(host_.HostWindow(), TickWarningText(warned), kAppTitle,
                                          MB_ICONWARNING | MB_OKCANCEL) == IDOK;
    if (!agreed && ItemTree.Level(node) == 2) return;
    ClickTickBox(ItemTree, node);
    if (!agreed) {
        for (const CatalogItem* item : warned) ItemTree.SetTicked(item->node, false);
        ShowParentTicks(ItemTree);
    }
    KeepTicks();
}

void TScanPage::SetRulesNotice(const std::string& text) {
    RulesNotice.SetCaption(text);
    RulesNotice.Show(!text.empty() && !ScanGauge.Visible());
}

void TScanPage::AbortBtnClick() { host_.HostSession().RequestAbort(); }

bool TScanPage::tvItemsListMouseDown(const MouseEvent&, const TreeHit& hit) {
    if (hit.node < 0) return false;
    if (hit.where == TreeHit::StateIcon) {
        ItemTree.Select(hit.node);
        TickBoxClicked(ItemTree.Selected());
        return true;
    }
    if (hit.where == TreeHit::RightOfLabel) {
        ItemTree.Select(hit.node);
        return true;
    }
    return false;
}
