#ifndef QUELT_FRONTEND_CONVERTER_H
#define QUELT_FRONTEND_CONVERTER_H

#include <string>
#include <vector>

// The converter's run: reads one Ontylog XML terminology and writes it as
// an OWL ontology named after the input and the date. Returns the exit
// status: 0 done or usage shown, 1 the input could not be read completely
// or the output not written, 2 no input file among the arguments.
int runConverter(int argc, char** argv);

class CommandLine;

// The input file named by the arguments: the first positional word that is
// not the value of -n or -v. False when there is none.
bool findInputFile(const CommandLine& commandLine, std::string& inputFile);

// The usage text, on standard error.
void showUsage(const std::string& programName);

// The current local date as YYMMDD.
std::string getDayStamp();

// The twelve lines of the OWL document header.
std::vector<std::string> buildHeaderLines(const std::string& nameSpace, const std::string& version);

extern const char* const kDefaultNamespace;
extern const char* const kDefaultVersion;

#endif
