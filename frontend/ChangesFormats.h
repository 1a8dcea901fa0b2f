#ifndef QUELT_FRONTEND_CHANGESFORMATS_H
#define QUELT_FRONTEND_CHANGESFORMATS_H

#include "frontend/Report.h"

#include <string>
#include <utility>
#include <vector>

// The formats of the changes command. Its records (see KbToolChanges.cpp)
// are those of its JSON Lines: one per concept that differs ("code",
// "old_name", "new_name", "branch", "changes"), one per definition that
// differs ("definition", "name", "changes"), one per code given to several
// concepts ("duplicate_code", "version", "names"), then the summary: the
// count of every kind of change.
namespace kbtool {

struct ChangesContext {
    std::string olderPath;
    std::string newerPath;
    // The fields not compared ("locale", "rightId"), each with the path of
    // the version that holds none.
    std::vector<std::pair<std::string, std::string>> notCompared;
};

// text, tsv, json and html.
std::vector<report::FormatChoice> changesFormats(const ChangesContext& context);

// The page of the html format, with the placeholders @TITLE@ and @DATA@
// (generated from frontend/ChangesPage.html when the program is built).
const char* changesPageSource();

} // namespace kbtool

#endif
