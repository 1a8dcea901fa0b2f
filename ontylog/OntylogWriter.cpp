// Writing a whole knowledge base back as one Ontylog XML document.
//
// The document is built in the large buffer of an OutputFile, which writes
// it out about once per megabyte into a temporary file beside the target
// and moves that over the target only when everything was written, so a
// failed call never leaves a partial or truncated file behind.

#include "ontylog/OntylogWriter.h"

#include "model/QueltKb.h"
#include "xmlout/OutputFile.h"
#include "xmlout/WriteRules.h"
#include "xmlout/XmlText.h"

#include <map>
#include <string>
#include <vector>

namespace {

const char kCdataOpen[] = "<![CDATA[";
const std::string kNoName;

// Element content that reads back as exactly the text. The shared rule
// passes a text that already is one complete CDATA section unchanged,
// which a parser would read back as the section's content only; such a
// text is wrapped in a section of its own, its "]]>" split across two.
void appendExactContent(std::string& out, const std::string& text)
{
    size_t before = out.size();
    xmltext::appendContent(out, text);
    const size_t openLength = sizeof kCdataOpen - 1;
    if (out.size() - before != text.size() || text.compare(0, openLength, kCdataOpen) != 0)
        return;
    out.resize(before);
    out += kCdataOpen;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "]]>") == 0) {
            out += "]]]]><![CDATA[>";
            i += 2;
        } else {
            out += text[i];
        }
    }
    out += "]]>";
}

// The output document: the buffered output file and the first failure.
class OntylogDocument {
public:
    OntylogDocument(const std::string& givenTarget, Console& givenConsole)
        : target(givenTarget)
        , console(givenConsole)
        , file(givenTarget)
    {
    }

    bool create()
    {
        if (!file.open())
            return ioFailed();
        reportLeftovers(file, console);
        return true;
    }

    // Subject of the record being written, for the message about a text
    // that cannot be carried; the name must outlive the record's writing.
    void subject(const char* what, const std::string& name)
    {
        subjectKind = what;
        subjectName = &name;
    }

    void line(const char* literal)
    {
        std::string& out = file.buffer();
        out += literal;
        out += '\n';
    }

    // open + text as element content + close, as one line.
    void element(const char* open, const std::string& text, const char* close, const char* field)
    {
        if (!check(text, field))
            return;
        std::string& out = file.buffer();
        out += open;
        appendExactContent(out, text);
        out += close;
        out += '\n';
    }

    // open + text as attribute value + close, as one line.
    void attributeLine(
        const char* open, const std::string& text, const char* close, const char* field)
    {
        if (!check(text, field))
            return;
        std::string& out = file.buffer();
        out += open;
        xmltext::appendAttribute(out, text);
        out += close;
        out += '\n';
    }

    void number(const char* open, long value, const char* close)
    {
        std::string& out = file.buffer();
        out += open;
        out += std::to_string(value);
        out += close;
        out += '\n';
    }

    // Hands the buffer to the file once it has grown large enough; false
    // once the call has failed.
    bool maybeFlush()
    {
        if (failed)
            return false;
        return file.flushIfFull() || ioFailed();
    }

    bool commit()
    {
        if (failed)
            return false;
        return file.commit() || ioFailed();
    }

private:
    bool check(const std::string& text, const char* field)
    {
        if (failed)
            return false;
        const char* reason = xmltext::uncarriedReason(text);
        if (!reason)
            return true;
        console.report({ Message::Kind::Refusal, subjectKind, *subjectName,
            std::string("its ") + field + " holds " + reason + ", which XML cannot carry", 0 });
        failed = true;
        file.discard();
        return false;
    }

    bool ioFailed()
    {
        console.report({ Message::Kind::OutputFailed, "file", target, file.reason(), 0 });
        failed = true;
        file.discard();
        return false;
    }

    std::string target;
    Console& console;
    const char* subjectKind = "";
    const std::string* subjectName = &kNoName;
    OutputFile file;
    bool failed = false;
};

// The code and id lines of one record: its own, or with renumbering the
// section letter and the running counter, which then moves on.
struct Numbering {
    bool renumber;
    long counter;

    void write(OntylogDocument& doc, char letter, const std::string& code, long id)
    {
        if (!renumber) {
            doc.element("<code>", code, "</code>", "code");
            doc.number("<id>", id, "</id>");
            return;
        }
        std::string fresh(1, letter);
        fresh += std::to_string(counter);
        doc.element("<code>", fresh, "</code>", "code");
        doc.number("<id>", counter, "</id>");
        ++counter;
    }
};

void writePickList(OntylogDocument& doc, const std::vector<std::string>& items)
{
    doc.line("<pickList>");
    for (const std::string& item : items)
        doc.element("<pickListItem>", item, "</pickListItem>", "pick-list item");
    doc.line("</pickList>");
}

void writeQualifiers(OntylogDocument& doc, const std::vector<QueltQualifier>& qualifiers)
{
    doc.line("<qualifiers>");
    for (const QueltQualifier& qualifier : qualifiers) {
        doc.line("<qualifier>");
        doc.element("<name>", qualifier.getName(), "</name>", "qualifier name");
        doc.element("<value>", qualifier.getValue(), "</value>", "qualifier value");
        doc.line("</qualifier>");
    }
    doc.line("</qualifiers>");
}

void writeRole(OntylogDocument& doc, const QueltRole& role)
{
    doc.line("<role>");
    const std::string& modifier = role.modifier().name();
    std::string tag = "<" + modifier + "/>";
    doc.line(tag.c_str());
    doc.element("<name>", role.getName(), "</name>", "role name");
    doc.element("<value>", role.getValue(), "</value>", "role value");
    doc.line("</role>");
}

// Ungrouped roles first, then every role group that holds a role, in
// ascending group number; within each, the concept's role order.
void writeRoles(OntylogDocument& doc, const QueltConcept& con)
{
    doc.line("<definingRoles>");
    std::map<long, std::vector<const QueltRole*>> groups;
    for (const auto& entry : con.getRoles()) {
        const QueltRole& role = entry.second;
        if (role.getRolegroup() == 0)
            writeRole(doc, role);
        else
            groups[role.getRolegroup()].push_back(&role);
    }
    for (const auto& group : groups) {
        doc.line("<roleGroup>");
        for (const QueltRole* role : group.second)
            writeRole(doc, *role);
        doc.line("</roleGroup>");
    }
    doc.line("</definingRoles>");
}

void writeConcept(OntylogDocument& doc, Numbering& numbering, const QueltConcept& con)
{
    doc.line("<conceptDef>");
    doc.element("<name>", con.getName(), "</name>", "name");
    numbering.write(doc, 'C', con.getCode(), con.getID());
    doc.element("<namespace>", con.getNamespace(), "</namespace>", "namespace");
    if (!con.getState())
        doc.line("<primitive/>");
    const std::string& kind = con.getKind();
    if (!kind.empty())
        doc.element("<kind>", kind, "</kind>", "kind");

    doc.line("<definingConcepts>");
    for (const std::string& parent : con.getParents())
        doc.element("<concept>", parent, "</concept>", "parent");
    doc.line("</definingConcepts>");

    writeRoles(doc, con);

    doc.line("<properties>");
    for (const auto& entry : con.getProperties()) {
        const QueltProperty& property = entry.second;
        doc.line("<property>");
        doc.element("<name>", property.getName(), "</name>", "property name");
        doc.element("<value>", property.getValue(), "</value>", "property value");
        if (property.hasQualifier())
            writeQualifiers(doc, property.getQualifiers());
        doc.line("</property>");
    }
    doc.line("</properties>");

    if (con.getNumAssociations() > 0) {
        doc.line("<associations>");
        for (const auto& entry : con.getAssociations()) {
            const QueltAssociation& association = entry.second;
            doc.line("<association>");
            doc.element("<name>", association.getName(), "</name>", "association name");
            doc.element("<value>", association.getValue(), "</value>", "association value");
            if (association.hasQualifier())
                writeQualifiers(doc, association.getQualifiers());
            doc.line("</association>");
        }
        doc.line("</associations>");
    }
    doc.line("</conceptDef>");
}

void writeNamespaceDef(OntylogDocument& doc, Numbering& numbering, const QueltName& def)
{
    doc.line("<namespaceDef>");
    doc.element("<name>", def.getNamespace(), "</name>", "name");
    numbering.write(doc, 'N', def.getCode(), def.getID());
    doc.line("</namespaceDef>");
}

void writeKindDef(OntylogDocument& doc, Numbering& numbering, const QueltKind& def)
{
    doc.line(def.getReference() ? "<kindDef reference=\"true\">" : "<kindDef reference=\"false\">");
    doc.element("<name>", def.getKindname(), "</name>", "name");
    numbering.write(doc, 'K', def.getCode(), def.getID());
    doc.element("<namespace>", def.getNamespace(), "</namespace>", "namespace");
    doc.line("</kindDef>");
}

void writeRoleDef(OntylogDocument& doc, Numbering& numbering, const QueltRoleDef& def)
{
    doc.line("<roleDef>");
    doc.element("<name>", def.getName(), "</name>", "name");
    numbering.write(doc, 'R', def.getCode(), def.getID());
    doc.element("<namespace>", def.getNamespace(), "</namespace>", "namespace");
    doc.element("<domain>", def.getDomain(), "</domain>", "domain");
    doc.element("<range>", def.getRange(), "</range>", "range");
    if (def.hasParent())
        doc.element("<parentRole>", def.getParentRole(), "</parentRole>", "parent role");
    doc.line("</roleDef>");
}

void writePropertyDef(OntylogDocument& doc, Numbering& numbering, const QueltPropertyDef& def)
{
    doc.line("<propertyDef>");
    doc.element("<name>", def.getName(), "</name>", "name");
    numbering.write(doc, 'P', def.getCode(), def.getID());
    doc.element("<namespace>", def.getNamespace(), "</namespace>", "namespace");
    doc.element("<range>", def.getRange(), "</range>", "range");
    if (def.isContainsIndex())
        doc.line("<containsIndex/>");
    if (def.isLocalized())
        doc.line("<localized/>");
    if (def.hasPickList())
        writePickList(doc, def.pickList());
    doc.line("</propertyDef>");
}

void writeAssociationDef(OntylogDocument& doc, Numbering& numbering, const QueltAssociationDef& def)
{
    doc.line("<associationDef>");
    doc.element("<name>", def.getName(), "</name>", "name");
    numbering.write(doc, 'A', def.getCode(), def.getID());
    doc.element("<namespace>", def.getNamespace(), "</namespace>", "namespace");
    if (def.hasInverse())
        doc.element("<inverseName>", def.getInverse(), "</inverseName>", "inverse name");
    if (def.isDisplayable())
        doc.line("<displayable/>");
    doc.line("</associationDef>");
}

void writeQualifierDef(OntylogDocument& doc, Numbering& numbering, const QueltQualifierDef& def)
{
    doc.attributeLine("<qualifierDef type=\"", def.getQualifierType(), "\">", "type");
    doc.element("<name>", def.getName(), "</name>", "name");
    numbering.write(doc, 'Q', def.getCode(), def.getID());
    doc.element("<namespace>", def.getNamespace(), "</namespace>", "namespace");
    if (def.hasPickList())
        writePickList(doc, def.getPickList());
    doc.line("</qualifierDef>");
}

// Every record of one section, each followed by an empty line, the name of
// each one the subject of a refusal while it is written. False once the
// call has failed.
template <class Records, class Record>
bool writeSection(OntylogDocument& doc, Numbering& numbering, const Records& records,
    const char* subject, void (*write)(OntylogDocument&, Numbering&, const Record&))
{
    for (const auto& entry : records) {
        doc.subject(subject, entry.second.getName());
        write(doc, numbering, entry.second);
        doc.line("");
        if (!doc.maybeFlush())
            return false;
    }
    return true;
}

} // namespace

namespace ontylog {

bool writeFile(const QueltKb& kb, const std::string& fileName, bool renumber)
{
    OntylogDocument doc(fileName, kb.getConsole());
    if (!doc.create())
        return false;
    Numbering numbering { renumber, 1 };

    doc.line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
             "<!DOCTYPE terminology SYSTEM \"ontylog.dtd\">");
    doc.line("");
    doc.line("<terminology ref_by=\"name\" if_exists_action=\"replace\">");
    doc.line("");
    bool written
        = writeSection(doc, numbering, kb.getNames(), "namespace definition", writeNamespaceDef)
        && writeSection(doc, numbering, kb.getKinds(), "kind definition", writeKindDef)
        && writeSection(doc, numbering, kb.getRoleDefs(), "role definition", writeRoleDef)
        && writeSection(
            doc, numbering, kb.getPropertyDefs(), "property definition", writePropertyDef)
        && writeSection(
            doc, numbering, kb.getAssociationDefs(), "association definition", writeAssociationDef)
        && writeSection(
            doc, numbering, kb.getQualifierDefs(), "qualifier definition", writeQualifierDef)
        && writeSection(doc, numbering, kb.getConcepts(), "concept", writeConcept);
    if (!written)
        return false;
    doc.line("</terminology>");
    return doc.commit();
}

} // namespace ontylog
