#ifndef QUELT_TESTS_ONTYLOG_ONTYLOGTESTSUPPORT_H
#define QUELT_TESTS_ONTYLOG_ONTYLOGTESTSUPPORT_H

// What the reader tests share: one quiet knowledge base per test, read from a
// file with the reader's console output kept, records found by name and
// concepts written out as one line each.

#include "ontylog/OntylogReader.h"
#include "tests/support/TestSupport.h"

#include <regex>
#include <sstream>
#include <stdexcept>

namespace ontylogtest {

using namespace quelttest;

inline std::string dataFile(const std::string& name)
{
    return dataPath("ontylog/" + name);
}

// The first record of that name in one of the knowledge base's maps; throws,
// failing the test, if there is none.
template <class Map>
const typename Map::mapped_type& byName(const Map& records, const std::string& name)
{
    for (const auto& entry : records) {
        if (entry.second.getName() == name)
            return entry.second;
    }
    throw std::runtime_error("no record named '" + name + "'");
}

// A concept as one line: code, id, namespace, kind, state, then its parents
// (^), roles (name=value/group/modifier), properties and associations
// (name=value@locale{qualifiers}), each in the record's order.
inline std::string describe(const QueltConcept& c)
{
    std::ostringstream s;
    s << c.getCode() << '|' << c.getID() << '|' << c.getNamespace() << '|' << c.getKind() << '|'
      << (c.getState() ? "defined" : "primitive");
    for (const std::string& parent : c.getParents())
        s << " ^" << parent;
    for (const auto& r : c.getRoles())
        s << " R:" << r.second.getName() << '=' << r.second.getValue() << '/'
          << r.second.getRolegroup() << '/' << r.second.modifier().name();
    auto qualifiers = [&s](const std::vector<QueltQualifier>& list) {
        for (const QueltQualifier& q : list)
            s << '{' << q.getName() << '=' << q.getValue() << '}';
    };
    for (const auto& p : c.getProperties()) {
        s << " P:" << p.second.getName() << '=' << p.second.getValue();
        if (!p.second.getLocale().empty())
            s << '@' << p.second.getLocale();
        qualifiers(p.second.getQualifiers());
    }
    for (const auto& a : c.getAssociations()) {
        s << " A:" << a.second.getName() << '=' << a.second.getValue();
        qualifiers(a.second.getQualifiers());
    }
    return s.str();
}

// One knowledge base per test, gone before the check that no record is left.
class ReadTest : public KbTest {
protected:
    void SetUp() override
    {
        KbTest::SetUp();
        fresh();
    }
    void TearDown() override
    {
        kb.reset();
        KbTest::TearDown();
    }
    // A new knowledge base; one at a time, so the registries start afresh.
    void fresh()
    {
        kb.reset();
        kb = std::make_unique<QueltKb>(console);
    }

    // Reads the file, or the document in memory; what the reader prints on
    // standard output goes to `out`.
    bool read(const std::string& path)
    {
        console.out.clear();
        bool complete = kb->readQueltXMLFile(path);
        out = console.out;
        return complete;
    }
    bool readText(const std::string& document)
    {
        console.out.clear();
        bool complete = ontylog::readMemory(*kb, document.data(), document.size(), "test.xml");
        out = console.out;
        return complete;
    }

    const QueltConcept& con(const std::string& name) const
    {
        return byName(kb->getConcepts(), name);
    }

    BufferConsole console;
    std::unique_ptr<QueltKb> kb;
    std::string out;
};

// Whether the text is exactly the one line the reader prints for a fatal
// parser error.
inline bool isFatalErrorLine(const std::string& text)
{
    static const std::regex line("Fatal Error: .+ at line: [0-9]+\n");
    return std::regex_match(text, line);
}

} // namespace ontylogtest

#endif
