// The update check at start-up: ask the update endpoint which version is
// current, and offer to start the updater when it is newer.
#pragma once

#include <string>

inline constexpr char kUpdatePath[] = "/products/security/ormatek-sorvanda/update/Update.ini";
inline constexpr char kDefaultUpdateHost[] = "http://www.ormatek-software.com";
// Names another update host (scheme, host and port; the path stays), for
// mirrors and tests.
inline constexpr char kUpdateHostVariable[] = "SORVANDA_UPDATE_HOST";
inline constexpr char kDefaultVersion[] = "2010.1.2";
// The most of a response that is kept.
inline constexpr size_t kUpdateDownloadCap = 1u << 20;

std::string UpdateDescriptionUrl();

// GETs the URL into the local file with the data module's client settings;
// true when a complete response with a success status arrived. Only the first
// MiB of a longer body is kept.
bool DownloadFile(const std::string& url, const std::string& localPath);
// The installed version; writes "2010.1.2" when the value is missing or empty.
std::string GetInstalledVersion();
// Whether the remote version is newer than the installed one.
bool IsUpdateAvailable();
// Asks, and on Yes starts "Update.exe" beside the program and ends it. Quiet
// when there is nothing new or anything fails.
void CheckForUpdate();
