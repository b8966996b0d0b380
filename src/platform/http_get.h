// A small HTTP/1.0 client that fetches one resource into a file, with a time
// limit on every wait, over plain sockets (so a silent server cannot hold the
// program longer than the limit, whatever the system's HTTP library does).
#pragma once

#include <cstddef>
#include <string>

struct HttpGetOptions {
    std::string userAgent;
    std::string accept;
    std::string contentType;
    int timeoutMs = 5000;   // connecting, and each wait for data
    int deadlineMs = 0;     // the whole exchange, however the server trickles; 0: none
    size_t bodyCap = 0;     // keep at most this much of the body; 0: all
};

// GETs an "http://host[:port]/path" URL into localPath (created or emptied).
// True when a success status (2xx) came and the body arrived whole, or up to
// the cap. False on a bad URL, no connection, a time-out, any other status,
// a body cut short, or the deadline passing.
bool HttpGetToFile(const std::string& url, const HttpGetOptions& options, const std::string& localPath);
