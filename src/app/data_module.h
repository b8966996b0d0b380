// The data module: what several windows share. The tree image list, the scan
// animation timer and the HTTP client settings of the update check.
#pragma once

#include <functional>
#include <string>

#include "platform/handles.h"
#include "platform/timer.h"

// Settings of the HTTP client that asks the update endpoint.
struct HttpClientSettings {
    int readTimeoutMs = 5000;
    int deadlineMs = 15000;  // the whole check, however slowly a server answers
    std::string accept = "text/html, */*";
    std::string contentType = "text/html";
    std::string userAgent = "Mozilla/3.0 (compatible; Indy Library)";
    bool acceptCookies = true;
    bool useProxy = false;
    bool basicAuthentication = false;
    bool encodeParameters = true;
};

class TDM {
public:
    // DataModuleCreate: loads the shared pictures.
    TDM();

    // 16 x 16 pictures: 0 root, 1-4 categories, 5 item, 6 ticked, 7 unticked,
    // 8-14 the scanning animation, 15-16 the later categories,
    // 17 partly ticked.
    HIMAGELIST TreeImageList() const { return treeImages_.get(); }
    // The pictures at another dots per inch, in the same lists.
    void Rescale(int dpi);
    // The state pictures of the trees and the list: the same but for slot 15,
    // which shows the partly ticked box (a control's state index has 4 bits).
    HIMAGELIST StateImageList() const { return stateImages_.get(); }

    // 20 ms, disabled until a category is being scanned.
    Timer EvidenceTimer{20};
    int EvidenceNode = 0;    // item-tree node being scanned; -1 between items
    int EvidenceFrame = 8;   // image the next tick shows
    // Where each step of the animation goes: the window that runs the scan
    // shows the frame (a picture index) on the node. Empty: nowhere.
    std::function<void(int node, int frame)> OnEvidenceFrame;

    HttpClientSettings IdHTTP1;

    // One step of the scanning animation: the node being scanned shows the
    // next of the pictures 8 to 14.
    void EvidenceTimerTimer();

private:
    UniqueImageList treeImages_, stateImages_;
    int shownDpi_ = 96;  // the scale the pictures are at
};

extern TDM* DM;
