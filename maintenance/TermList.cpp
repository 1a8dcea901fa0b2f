// Term-list import: a plain text file, one term per line, made into
// primitive concepts under one parent.

#include "maintenance/TermList.h"

#include "model/QueltError.h"
#include "model/QueltKb.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

[[noreturn]] void cannotRead(const std::string& fileName)
{
    throw QueltError(QueltError::kFailure, "Error opening file \"" + fileName + "\", will EXIT.");
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// One concept per line: the line is its name, preferred name and synonym.
void addTerm(QueltKb& kb, const std::string& line, const std::string& nameSpace,
    const std::string& kind, const std::string& semanticType, const std::string& parent)
{
    QueltConcept con(line, "", -1, nameSpace, kind, false);
    con.addParent(parent);
    QueltProperty preferred("Preferred_Name", line, "");
    QueltProperty semantic("Semantic_Type", semanticType, "");
    QueltProperty synonym("FULL_SYN", line, "");
    synonym.addQualifier(QueltQualifier("Syn_Term_Type", "PT"));
    synonym.addQualifier(QueltQualifier("Syn_Source", "Zev"));
    con.addProperty(preferred);
    con.addProperty(semantic);
    con.addProperty(synonym);
    kb.addConcept(std::move(con));
}

} // namespace

// Lines end at LF; a CR right before the LF belongs to the line end. A last
// line without a line end is a line all the same. Empty lines are skipped;
// every other line is used exactly as read, whatever bytes it holds.
namespace maintenance {

void readTermList(QueltKb& kb, const std::string& fileName, const std::string& nameSpace,
    const std::string& kind, const std::string& semanticType, const std::string& parent)
{
    std::unique_ptr<FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        cannotRead(fileName);

    kb.addNamespace(QueltName(nameSpace, -1, ""));
    kb.addKind(QueltKind(kind, -1, "", nameSpace, false));
    kb.addPropertyDef(QueltPropertyDef("Semantic_Type", "", -1, "string", false, true, nameSpace));
    kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "", -1, "string", false, true, nameSpace));
    kb.addPropertyDef(QueltPropertyDef("FULL_SYN", "", -1, "long_string", false, true, nameSpace));

    auto finishLine = [&](std::string& line) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            addTerm(kb, line, nameSpace, kind, semanticType, parent);
        line.clear();
    };

    std::vector<char> chunk(1 << 16);
    std::string line;
    for (;;) {
        size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        const char* start = chunk.data();
        const char* end = start + got;
        while (start < end) {
            const char* newline = static_cast<const char*>(
                std::memchr(start, '\n', static_cast<size_t>(end - start)));
            if (!newline) {
                line.append(start, end);
                break;
            }
            line.append(start, newline);
            finishLine(line);
            start = newline + 1;
        }
        if (got < chunk.size()) {
            // A directory opens for reading but cannot be read; a read error
            // in the middle would otherwise drop the rest of the list.
            if (std::ferror(file.get()))
                cannotRead(fileName);
            break;
        }
    }
    finishLine(line);
}

} // namespace maintenance
