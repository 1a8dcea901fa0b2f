#ifndef QUELT_FRONTEND_CONVERTER_H
#define QUELT_FRONTEND_CONVERTER_H

#include "model/Console.h"

#include <string>
#include <vector>

// The converter's run: reads one Ontylog XML terminology and writes it as
// an OWL ontology named after the input and the date, with its lines on the
// console. Returns the exit status: 0 done or usage shown, 1 the input
// could not be read completely or the output not written, 2 no input file
// among the arguments. A condition that ends the run early (a parser
// exception, a fatal lookup) raises a QueltError.
int runConverter(int argc, char** argv, Console& console);

class CommandLine;

// The input file named by the arguments: the first positional word that is
// not the value of -n or -v. False when there is none.
bool findInputFile(const CommandLine& commandLine, std::string& inputFile);

// The usage text, on the console's error stream.
void showUsage(const std::string& programName, Console& console);

// The current local date as YYMMDD.
std::string getDayStamp();

// The twelve lines of the OWL document header.
std::vector<std::string> buildHeaderLines(const std::string& nameSpace, const std::string& version);

extern const char* const kDefaultNamespace;
extern const char* const kDefaultVersion;

#endif
