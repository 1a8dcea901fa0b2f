#ifndef QUELT_OWL_INDENT_H
#define QUELT_OWL_INDENT_H

#include <string>

// Tab indentation with one process-wide level, starting at 0. The command
// changes the level, then the level's number of tabs is returned:
//   "+" raises the level by one;
//   "-" lowers it by one, but never below 0;
//   "c" sets it to 0;
//   "s" and any other text leave it as it is.
std::string indent(std::string command);

#endif
