#ifndef QUELT_FRONTEND_KBTOOLUSAGE_H
#define QUELT_FRONTEND_KBTOOLUSAGE_H

#include <string>

namespace kbtool {

// The usage texts of the tool: the overview of every command, and each
// command's own. The check's lists the kinds of findings and the match's
// the verdicts, from the tables of the check and the matcher.
std::string overviewUsage();
std::string roundtripUsage();
std::string matchUsage();
std::string diffUsage();
std::string checkUsage();
std::string changesUsage();

} // namespace kbtool

#endif
