// Writing a knowledge base as one OWL ontology in RDF/XML.
//
// The file is produced in one pass: the header lines, the role, property,
// qualifier and association definitions as property declarations, the root
// classes with their disjointness, then every concept as a class followed
// by the annotation axioms of its qualified statements. Text goes into one
// reused buffer that is written out in large blocks (see OutputFile).
//
// The concept section is most of the file, and each concept's text
// depends only on the knowledge base and its naming (xmlout/OwlNaming.h),
// which is complete before it starts and only read afterwards. So it is
// formatted in chunks of consecutive concepts by several threads
// (ConceptFormatter, ChunkedConcepts) and written in order by the calling
// thread; the file, the console lines and the result are those of one
// thread. Every console line of the writer comes from the calling thread.
//
// Every identifier is a value taken from the knowledge base, as OwlNaming
// says: a concept is named by its "RXK" property, a role by its
// definition's code, properties, qualifiers and associations by their
// names. Identifiers are written as
// attribute values, other texts as element content, each escaped so that
// an XML parser reads back exactly the text the knowledge base holds (a
// text that already is one complete CDATA section is kept as it is and
// reads back as its inside). A text holding a character XML cannot carry
// is refused: nothing is written and the call fails. So is a property,
// association or qualifier name that cannot be the element name it
// becomes (a name without a definition is the empty text).

#include "owl/OwlWriter.h"

#include "model/Message.h"
#include "model/QueltKb.h"
#include "owl/ChunkedConcepts.h"
#include "owl/ConceptFormatter.h"
#include "owl/Indent.h"
#include "xmlout/OutputFile.h"
#include "xmlout/OwlNaming.h"
#include "xmlout/Progress.h"
#include "xmlout/WriteRules.h"
#include "xmlout/XmlText.h"

#include <memory>

namespace owl {

namespace {

const char kXsdString[] = "http://www.w3.org/2001/XMLSchema#string";
const char kOwlNamespace[] = "http://www.w3.org/2002/07/owl#";
const char kRdfNil[] = "http://www.w3.org/1999/02/22-rdf-syntax-ns#nil";

// Appends an enumerated data range holding the values as an RDF list in
// nested form. The two layouts differ only in their tabs: before each line
// tabs(out, command, depth) appends them, where command is how the line
// moves the growing layout's indentation level (nullptr: the line gets no
// tabs and the level is not touched) and depth is the fixed layout's
// number of tabs.
template <class Tabs>
void appendPickList(std::string& out, const std::vector<std::string>& values, Tabs tabs)
{
    auto line = [&](const char* command, int depth, const char* text) {
        tabs(out, command, depth);
        out += text;
    };
    line(nullptr, 0, "<rdfs:range>\n");
    line("+", 1, "<owl:DataRange>\n");
    line("s", 1, "<owl:oneOf>\n");
    for (size_t i = 0; i < values.size(); ++i) {
        line("+", 2, "<rdf:List>\n");
        line("+", 2, "<rdf:first rdf:datatype=\"");
        out += kXsdString;
        out += "\">";
        xmltext::appendContent(out, values[i]);
        out += "</rdf:first>\n";
        if (i + 1 < values.size()) {
            line("s", 2, "<rdf:rest>\n");
        } else {
            line("s", 2, "<rdf:rest rdf:resource=\"");
            out += kRdfNil;
            out += "\"/>\n";
            line("-", 2, "</rdf:List>\n");
        }
    }
    for (size_t i = 1; i < values.size(); ++i) {
        line("-", 2, "</rdf:rest>\n");
        line("-", 2, "</rdf:List>\n");
    }
    line("-", 1, "</owl:oneOf>\n");
    line("s", 1, "</owl:DataRange>\n");
    line("-", 0, "</rdfs:range>\n");
}

// Property definitions: the list grows to the right, one level per node,
// through indent().
void appendGrowingPickList(std::string& out, const std::vector<std::string>& values)
{
    indent("c");
    appendPickList(out, values, [](std::string& text, const char* command, int) {
        if (command != nullptr)
            text += indent(command);
    });
}

// Qualifier definitions: every list line at two tabs.
void appendFlatPickList(std::string& out, const std::vector<std::string>& values)
{
    appendPickList(out, values, [](std::string& text, const char*, int depth) {
        text.append(static_cast<size_t>(depth), '\t');
    });
}

class OwlWriter {
public:
    OwlWriter(const QueltKb& givenKb, OutputFile& givenFile, const std::string& givenFileName,
        const std::string& givenNameSpace)
        : kb(givenKb)
        , file(givenFile)
        , out(givenFile.buffer())
        , fileName(givenFileName)
        , nameSpace(givenNameSpace)
    {
    }

    // Opens the file, then writes it.
    bool write(const std::vector<std::string>& headerLines, const WriteOptions& options);

private:
    void buildNaming(unsigned helpers);
    bool writeHeader(const std::vector<std::string>& headerLines);
    bool writeRoleDefs();
    bool writePropertyDefs();
    bool writeQualifierDefs();
    bool writeAssociationDefs();
    bool writeRootClasses();
    bool writeConcepts(ProgressLine& progress);
    bool writeChunkedConcepts(const WriteOptions& options, ProgressLine& progress);

    template <class Def>
    void writeAnnotationProperty(
        const Def& def, void (*pickList)(std::string&, const std::vector<std::string>&));

    // Ends one unit of output (a definition, a root class): refuses it when
    // it holds a character XML cannot carry, writes the buffer out when
    // full.
    bool finishUnit(size_t mark, const char* what, const std::string& name);
    // Reports the refusal, removes the temporary and fails.
    bool refuse(const Message& refusal);
    // Reports that the file cannot be written, removes the temporary and
    // fails.
    bool ioFailed();

    void attribute(std::string_view text) { xmltext::appendAttribute(out, text); }
    void content(std::string_view text) { xmltext::appendContent(out, text); }
    std::string_view conceptCode(std::string_view name) const { return naming->conceptCode(name); }
    // The identifier of the root that stands for the kind; empty when none.
    std::string_view kindCode(const std::string& kind) const
    {
        const std::string* root = naming->rootOfKind(kind);
        return root == nullptr ? std::string_view() : conceptCode(*root);
    }

    const QueltKb& kb;
    OutputFile& file;
    std::string& out;
    const std::string& fileName;
    const std::string& nameSpace;
    // Shown while the concepts are written; erased before any message.
    ProgressLine* activeProgress = nullptr;

    std::unique_ptr<const OwlNaming> naming;
};

// The naming is built on the calling thread, with help for the pass over
// the concepts; formatting starts once it is complete.
void OwlWriter::buildNaming(unsigned helpers)
{
    naming = std::make_unique<const OwlNaming>(kb, helpers);
    if (kb.getNumKinds() != static_cast<long>(naming->roots().size()))
        kb.getConsole().report({ Message::Kind::KindsWithoutRoots, "", "", "", 0 });
}

bool OwlWriter::write(const std::vector<std::string>& headerLines, const WriteOptions& options)
{
    if (!file.open())
        return ioFailed();
    reportLeftovers(file, kb.getConsole());
    buildNaming(options.workers);
    if (!writeHeader(headerLines) || !writeRoleDefs() || !writePropertyDefs()
        || !writeQualifierDefs() || !writeAssociationDefs() || !writeRootClasses())
        return false;
    ProgressLine progress(kb.getConsole(), "Writing", "concepts", kb.getConcepts().size());
    activeProgress = &progress;
    bool written
        = options.workers == 0 ? writeConcepts(progress) : writeChunkedConcepts(options, progress);
    if (!written)
        return false;
    out += "</rdf:RDF>\n";
    bool committed = file.commit();
    progress.finish();
    return committed || ioFailed();
}

bool OwlWriter::refuse(const Message& refusal)
{
    if (activeProgress != nullptr)
        activeProgress->finish();
    kb.getConsole().report(refusal);
    file.discard();
    return false;
}

bool OwlWriter::ioFailed()
{
    if (activeProgress != nullptr)
        activeProgress->finish();
    kb.getConsole().report({ Message::Kind::OutputFailed, "file", fileName, file.reason(), 0 });
    file.discard();
    return false;
}

bool OwlWriter::finishUnit(size_t mark, const char* what, const std::string& name)
{
    if (!xmltext::carryable(out.data() + mark, out.size() - mark))
        return refuse(writerules::refusal(what, name, writerules::kUncarried));
    return file.flushIfFull() || ioFailed();
}

bool OwlWriter::writeHeader(const std::vector<std::string>& headerLines)
{
    for (const std::string& line : headerLines) {
        out += line;
        out += '\n';
    }
    out += '\n';
    if (!xmltext::carryable(out))
        return refuse(
            { Message::Kind::HeaderRefusal, "document header", "", writerules::kUncarried, 0 });
    return file.flushIfFull() || ioFailed();
}

bool OwlWriter::writeRoleDefs()
{
    for (const auto& entry : kb.getRoleDefs()) {
        const QueltRoleDef& def = entry.second;
        std::string_view id = naming->roleCode(def.getName());
        checkOwlName(std::string(id), kb.getConsole());
        size_t mark = out.size();
        out += "<owl:ObjectProperty rdf:ID=\"";
        attribute(id);
        out += "\">\n<code>";
        content(def.getCode());
        out += "</code>\n<rdfs:label>";
        content(def.getName());
        out += "</rdfs:label>\n";
        if (def.hasParent()) {
            out += "\t<rdfs:subPropertyOf rdf:resource=\"#";
            attribute(naming->roleCode(def.getParentRole()));
            out += "\"/>\n";
        } else {
            out += "\t<rdfs:domain rdf:resource=\"#";
            attribute(kindCode(def.getDomain()));
            out += "\"/>\n\t<rdfs:range rdf:resource=\"#";
            attribute(kindCode(def.getRange()));
            out += "\"/>\n";
        }
        out += "</owl:ObjectProperty>\n\n";
        if (!finishUnit(mark, "role definition", def.getName()))
            return false;
    }
    return true;
}

template <class Def>
void OwlWriter::writeAnnotationProperty(
    const Def& def, void (*pickList)(std::string&, const std::vector<std::string>&))
{
    checkOwlName(def.getName(), kb.getConsole());
    out += "<owl:AnnotationProperty rdf:ID=\"";
    attribute(def.getName());
    out += "\">\n<code>";
    content(def.getCode());
    out += "</code>\n<rdfs:label>";
    content(def.getName());
    out += "</rdfs:label>\n";
    if (def.hasPickList()) {
        pickList(out, def.getPickList());
    } else {
        out += "<rdfs:range rdf:resource=\"";
        out += kXsdString;
        out += "\"/>\n<rdf:type rdf:resource=\"";
        out += kOwlNamespace;
        out += "DatatypeProperty\"/>\n";
    }
    out += "</owl:AnnotationProperty>\n\n";
}

bool OwlWriter::writePropertyDefs()
{
    for (const auto& entry : kb.getPropertyDefs()) {
        size_t mark = out.size();
        writeAnnotationProperty(entry.second, appendGrowingPickList);
        if (!finishUnit(mark, "property definition", entry.second.getName()))
            return false;
    }
    return true;
}

bool OwlWriter::writeQualifierDefs()
{
    for (const auto& entry : kb.getQualifierDefs()) {
        size_t mark = out.size();
        writeAnnotationProperty(entry.second, appendFlatPickList);
        if (!finishUnit(mark, "qualifier definition", entry.second.getName()))
            return false;
    }
    return true;
}

bool OwlWriter::writeAssociationDefs()
{
    for (const auto& entry : kb.getAssociationDefs()) {
        const std::string& name = entry.second.getName();
        checkOwlName(name, kb.getConsole());
        size_t mark = out.size();
        out += "<owl:ObjectProperty rdf:ID=\"";
        attribute(name);
        out += "\">\n<rdfs:label>";
        content(name);
        out += "</rdfs:label>\n<rdf:type rdf:resource=\"";
        out += kOwlNamespace;
        out += "AnnotationProperty\"/>\n</owl:ObjectProperty>\n\n";
        if (!finishUnit(mark, "association definition", name))
            return false;
    }
    return true;
}

bool OwlWriter::writeRootClasses()
{
    for (const OwlNaming::Root& root : naming->roots()) {
        std::string_view id = conceptCode(*root.name);
        checkOwlName(std::string(id), kb.getConsole());
        size_t mark = out.size();
        out += "<owl:Class rdf:about=\"#";
        attribute(id);
        out += "\">\n";
        for (const OwlNaming::Root& other : naming->roots()) {
            std::string_view otherId = conceptCode(*other.name);
            checkOwlName(std::string(otherId), kb.getConsole());
            if (other.name != root.name) {
                out += "\t<owl:disjointWith rdf:resource=\"#";
                attribute(otherId);
                out += "\"/>\n";
            }
        }
        out += "</owl:Class>\n\n";
        if (!finishUnit(mark, "concept", *root.name))
            return false;
    }
    return true;
}

// Every concept formatted on this thread, straight into the file's buffer.
bool OwlWriter::writeConcepts(ProgressLine& progress)
{
    ConceptFormatter formatter(*naming, nameSpace);
    Message refusal {};
    std::uint64_t done = 0;
    for (const auto& entry : kb.getConcepts()) {
        if (!formatter.append(entry.second, out, refusal))
            return refuse(refusal);
        if (!file.flushIfFull())
            return ioFailed();
        progress.update(++done);
    }
    return true;
}

// The concepts formatted in chunks by several threads. The chunks are
// written in order and the buffer is written out after the same concepts
// as by writeConcepts, so the file, a refusal and a failing write come out
// the same: a write that fails before the refused concept is reached is
// the one reported.
bool OwlWriter::writeChunkedConcepts(const WriteOptions& options, ProgressLine& progress)
{
    ChunkedConcepts concepts(kb.getConcepts(), *naming, nameSpace, options);
    std::uint64_t done = 0;
    for (size_t i = 0; i < concepts.chunks(); ++i) {
        const Chunk& chunk = concepts.await(i);
        // Text of the chunk not yet in the file or the buffer starts here.
        size_t start = 0;
        for (size_t end : chunk.ends) {
            if (out.size() + (end - start) >= OutputFile::kBlockSize) {
                if (!file.flushWith(chunk.text.data() + start, end - start))
                    return ioFailed();
                start = end;
            }
        }
        if (chunk.refused)
            return refuse(chunk.refusal);
        if (!chunk.ends.empty())
            out.append(chunk.text, start, chunk.ends.back() - start);
        done += concepts.size(i);
        concepts.release(i);
        progress.update(done);
    }
    return true;
}

} // namespace

WriteOptions defaultWriteOptions()
{
    WriteOptions options;
    options.workers = OwlNaming::defaultHelpers();
    return options;
}

bool writeOwlFile(const QueltKb& kb, const std::string& fileName,
    const std::vector<std::string>& headerLines, const std::string& nameSpace,
    const WriteOptions& options)
{
    OutputFile file(fileName);
    OwlWriter writer(kb, file, fileName, nameSpace);
    return writer.write(headerLines, options);
}

bool checkOwlName(const std::string& name, Console& console)
{
    std::vector<std::string> faults = writerules::owlNameFaults(name);
    for (const std::string& fault : faults)
        console.report({ Message::Kind::InvalidOwlName, "", name, fault, 0 });
    return faults.empty();
}

} // namespace owl
