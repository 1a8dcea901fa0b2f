#include "frontend/Converter.h"

#include "frontend/CommandLine.h"
#include "model/QueltKb.h"
#include "xmlout/XmlText.h"

#include <chrono>
#include <ctime>
#include <sstream>

const char* const kDefaultNamespace = "http://medvex.example.org/ftp1/Medvex/Medvex.owl#";
const char* const kDefaultVersion = "Medvex2 [Public Edition]";

namespace {

const char* const kProtegeNamespace = "http://protege.stanford.edu/plugins/owl/protege#";
const char* const kProtegeOntology = "http://protege.stanford.edu/plugins/owl/protege";

} // namespace

// The input file is the first positional word that is not the value of -n
// or -v, so both "prog -n NS in.xml" and "prog in.xml -n NS" read in.xml.
bool findInputFile(const CommandLine& commandLine, std::string& inputFile)
{
    for (const auto& word : commandLine.getVariablesWithBinding()) {
        if (word.second != 'n' && word.second != 'v') {
            inputFile = word.first;
            return true;
        }
    }
    return false;
}

void showUsage(const std::string& programName, Console& console)
{
    console.err(programName + " version compiled on " + __DATE__);
    console.err("");
    console.err("Usage:");
    console.err("\t" + programName + " [-h|H] [-n \"namespace\"] [-v version] input-tde-file.xml");
    console.err("");
    console.err("where:");
    console.err("\th or H show this message");
    console.err("\tn flags a URI namespace, also used for the xml:base");
    console.err("\tv flags version");
    console.err("");
    console.err("if v or n are not specified, default namespace and version are used.");
}

std::string getDayStamp()
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::string year = std::to_string(local.tm_year);
    if (year.size() > 2)
        year = year.substr(year.size() - 2);
    auto twoDigits = [](int value) {
        std::string text = std::to_string(value);
        return text.size() == 1 ? "0" + text : text;
    };
    return year + twoDigits(local.tm_mon + 1) + twoDigits(local.tm_mday);
}

std::vector<std::string> buildHeaderLines(const std::string& nameSpace, const std::string& version)
{
    const std::string ns = xmltext::attribute(nameSpace);
    return {
        "<rdf:RDF ",
        "\txmlns=\"" + ns + "\"",
        "\txml:base=\"" + ns + "\"",
        std::string("\txmlns:protege=\"") + kProtegeNamespace + "\"",
        "\txmlns:owl=\"http://www.w3.org/2002/07/owl#\"",
        "\txmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"",
        "\txmlns:rdfs=\"http://www.w3.org/2000/01/rdf-schema#\">",
        "<owl:Ontology rdf:about=\"\">",
        std::string("<owl:imports rdf:resource=\"") + kProtegeOntology + "\"/>",
        "<rdfs:comment>Medvex2 Public</rdfs:comment>",
        "<owl:versionInfo>" + xmltext::content(version) + "</owl:versionInfo>",
        "</owl:Ontology>",
    };
}

int runConverter(int argc, char** argv, Console& console)
{
    // Never destroyed: the program ends through finishProcess right after
    // the run. The pointer stays reachable, so leak checkers do not count it.
    static QueltKb* const knowledgeBase = new QueltKb(console);
    QueltKb& kb = *knowledgeBase;
    CommandLine commandLine(argc, argv);

    if (commandLine.hasOption('h') || commandLine.hasOption('H') || !commandLine.hasArguments()) {
        showUsage(commandLine.getProgramName(), console);
        return 0;
    }
    std::string inputFile;
    if (!findInputFile(commandLine, inputFile)) {
        console.err("No input file given.");
        showUsage(commandLine.getProgramName(), console);
        return 2;
    }

    std::string nameSpace
        = commandLine.hasOption('n') ? commandLine.getFlaggedVariable('n') : kDefaultNamespace;
    console.err("Using namespace:  " + nameSpace);
    std::string version
        = commandLine.hasOption('v') ? commandLine.getFlaggedVariable('v') : kDefaultVersion;
    console.err("Using version:  " + version);

    auto start = std::chrono::steady_clock::now();
    console.err("Reading file " + inputFile);
    if (!kb.readQueltXMLFile(inputFile))
        return 1;

    std::string outputFile = inputFile + "-ByRXK-" + getDayStamp() + ".owl";
    console.err("Writing output OWL file " + outputFile);
    std::vector<std::string> headerLines = buildHeaderLines(nameSpace, version);
    if (!kb.writeMedvex2OWLFile(outputFile, headerLines, nameSpace))
        return 1;

    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::ostringstream took;
    took << "Execution took " << elapsed.count() << " seconds";
    console.err(took.str());
    return 0;
}
