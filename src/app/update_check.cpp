#include "app/update_check.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/data_module.h"
#include "app/settings.h"
#include "model/version.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/http_get.h"
#include "platform/message_pump.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/user_dialogs.h"

std::string UpdateDescriptionUrl() {
    std::string base = EnvironmentVariable(kUpdateHostVariable);
    if (base.empty()) base = kDefaultUpdateHost;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + kUpdatePath;
}

bool DownloadFile(const std::string& url, const std::string& localPath) {
    const HttpClientSettings settings = DM ? DM->IdHTTP1 : HttpClientSettings{};
    HttpGetOptions options;
    options.userAgent = settings.userAgent;
    options.accept = settings.accept;
    options.contentType = settings.contentType;
    options.timeoutMs = settings.readTimeoutMs;
    options.deadlineMs = settings.deadlineMs;
    options.bodyCap = kUpdateDownloadCap;
    return HttpGetToFile(url, options, localPath);
}

std::string GetInstalledVersion() {
    RegKey key;
    if (!key.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey)) return kDefaultVersion;
    std::string version = key.ReadString("Version");
    if (version.empty()) {
        version = kDefaultVersion;
        key.WriteString("Version", version);
    }
    return version;
}

bool IsUpdateAvailable() {
    const std::string local = ExeDirectory() + "Update.ini";
    if (!DownloadFile(UpdateDescriptionUrl(), local)) return false;
    return IsNewerVersion(ReadIniString(local, "Version", "Ver"), GetInstalledVersion());
}

void CheckForUpdate() {
    if (!IsUpdateAvailable()) return;
    const int answer =
        Dialogs().Message(nullptr, "A newer version of Ormatek Drelvik is available. Would you like to update now?",
                          kAppTitle, MB_YESNO | MB_ICONINFORMATION);  // 68
    if (answer != IDYES) return;
    Dialogs().ShellOpen(nullptr, ExeDirectory() + "Update.exe", "", "", SW_SHOW);
    RequestQuit();  // start-up goes on; the message loop ends at its first turn
}
