// sorvanda-seed: makes sample traces for catalog items in the current user's
// registry, folders and URL cache.
//   sorvanda-seed [--items "Name,Name,..."] [--count N] [--clear] [--allow-real-profile]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "platform/wide.h"
#include "tools/seeder/seeder.h"

// The arguments arrive as UTF-16 and are taken as UTF-8; everything printed is UTF-8.
int wmain(int argc, wchar_t** wideArgv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(FromWide(wideArgv[i]));
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    SeedOptions options;
    bool clearOnly = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--items") && i + 1 < argc) {
            std::stringstream list(argv[++i]);
            std::string item;
            while (std::getline(list, item, ','))
                if (!item.empty()) options.items.insert(item);
        } else if (!std::strcmp(a, "--count") && i + 1 < argc) {
            options.count = std::atoi(argv[++i]);
            if (options.count < 0 || options.count > 1000000) {
                std::fprintf(stderr, "sorvanda-seed: --count must be 0 to 1000000\n");
                return 2;
            }
        } else if (!std::strcmp(a, "--clear")) {
            clearOnly = true;
        } else if (!std::strcmp(a, "--allow-real-profile")) {
            options.allowRealProfile = true;
        } else {
            std::fprintf(stderr,
                         "usage: sorvanda-seed [--items \"Name,...\"] [--count N] [--clear] [--allow-real-profile]\n");
            return 2;
        }
    }
    const auto known = SeedableItems();
    for (const std::string& item : options.items) {
        bool ok = false;
        for (const std::string& k : known) ok = ok || k == item;
        if (!ok) {
            std::fprintf(stderr, "sorvanda-seed: unknown item \"%s\"\n", item.c_str());
            return 2;
        }
    }
    if (!options.allowRealProfile && !InsideWine()) {
        std::fprintf(stderr,
                     "sorvanda-seed: refusing to seed: this is not a Wine prefix. Sample traces would land in your\n"
                     "real profile. Pass --allow-real-profile if that is what you want.\n");
        return 1;
    }
    if (clearOnly) {
        ClearTraces(options);
        std::printf("cleared %zu items\n", options.items.empty() ? known.size() : options.items.size());
        return 0;
    }
    const SeedReport report = SeedTraces(options);
    for (const std::string& line : report.log) std::printf("%s\n", line.c_str());
    return 0;
}
