// Writing a knowledge base as one OWL ontology in RDF/XML.
//
// The file is produced in one pass: the header lines, the role, property,
// qualifier and association definitions as property declarations, the root
// classes with their disjointness, then every concept as a class followed
// by the annotation axioms of its qualified statements. Text goes into one
// reused buffer that is written out in large blocks (see OutputFile).
//
// The concept section is most of the file, and each concept's text
// depends only on the knowledge base and the lookup tables, which are
// complete before it starts and only read afterwards. So it is formatted
// in chunks of consecutive concepts by several threads (ConceptFormatter,
// ChunkedConcepts below) and written in order by the calling thread; the
// file, the console lines and the result are those of one thread. Every
// console line of the writer comes from the calling thread.
//
// Every identifier is a value taken from the knowledge base: a concept is
// named by its "RXK" property, a role by its definition's code, properties,
// qualifiers and associations by their names. Identifiers are written as
// attribute values, other texts as element content, each escaped so that
// an XML parser reads back exactly the text the knowledge base holds (a
// text that already is one complete CDATA section is kept as it is and
// reads back as its inside). A text holding a character XML cannot carry
// is refused: nothing is written and the call fails. So is a property,
// association or qualifier name that cannot be the element name it
// becomes (a name without a definition is the empty text).

#include "owl/OwlWriter.h"

#include "model/QueltKb.h"
#include "owl/ConceptFormatter.h"
#include "owl/Indent.h"
#include "owl/OwlTables.h"
#include "owl/TableBuilder.h"
#include "xmlout/OutputFile.h"
#include "xmlout/Progress.h"
#include "xmlout/WriteRules.h"
#include "xmlout/XmlText.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

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

using ConceptIterator = QueltKb::ConceptMap::const_iterator;

// Consecutive concepts formatted by one thread: their text, where the text
// of each one ends, and whether the concept after the last of them was
// refused (formatting stops there).
struct Chunk {
    std::string text;
    std::vector<size_t> ends;
    bool refused = false;
    std::string refusal;
    bool ready = false; // formatted, not yet written
};

// The concept section formatted by several threads. The concepts are cut
// into chunks of consecutive concepts; any thread formats the next chunk
// not yet taken into a slot of its own, and the calling thread, which
// formats chunks too while it waits, hands the finished chunks out
// strictly in order. A chunk is only taken when its slot is free, so at
// most a few chunks per thread exist at a time, whatever the size of the
// knowledge base.
//
// The formatting threads read the knowledge base and the tables, which do
// not change while they run, and write nothing but their chunks. A chunk
// passes between threads under the mutex: taken, formatted outside it,
// marked ready under it, written out and released by the calling thread.
class ChunkedConcepts {
public:
    ChunkedConcepts(const QueltKb::ConceptMap& concepts, const ConceptTables& tables,
        const std::string& nameSpace, const WriteOptions& options);
    ~ChunkedConcepts() { stop(); }
    ChunkedConcepts(const ChunkedConcepts&) = delete;
    ChunkedConcepts& operator=(const ChunkedConcepts&) = delete;

    size_t chunks() const { return chunkCount; }
    // Number of concepts of the chunk.
    size_t size(size_t index) const { return std::min(perChunk, concepts - index * perChunk); }

    // Chunk number index, once formatted. Chunks are awaited in order, each
    // once, and released before the next one is awaited. Rethrows an
    // exception that ended a formatting thread.
    const Chunk& await(size_t index);
    void release(size_t index);

private:
    static constexpr size_t kSlotsPerThread = 2;

    Chunk& slot(size_t index) { return slots[index % slots.size()]; }
    // Takes the next chunk when there is one and its slot is free; with
    // the mutex held.
    bool take(size_t& index, ConceptIterator& first);
    void format(ConceptFormatter& formatter, size_t index, ConceptIterator first);
    void work();
    void stop();

    const ConceptTables& tables;
    const std::string& nameSpace;
    const size_t perChunk;
    const size_t concepts;
    const size_t chunkCount;
    ConceptFormatter ownFormatter; // the calling thread's

    std::mutex mutex;
    std::condition_variable formatted; // a chunk became ready, or a thread failed
    std::condition_variable released; // a slot became free, or the work stops
    std::vector<Chunk> slots;
    ConceptIterator next; // first concept of the next chunk to take
    size_t takenCount = 0; // chunks taken so far
    size_t done = 0; // chunks released so far
    bool stopping = false;
    std::exception_ptr failure;
    std::vector<std::thread> threads;
};

ChunkedConcepts::ChunkedConcepts(const QueltKb::ConceptMap& givenConcepts,
    const ConceptTables& givenTables, const std::string& givenNameSpace,
    const WriteOptions& options)
    : tables(givenTables)
    , nameSpace(givenNameSpace)
    , perChunk(std::max<size_t>(options.conceptsPerChunk, 1))
    , concepts(givenConcepts.size())
    , chunkCount((concepts + perChunk - 1) / perChunk)
    , ownFormatter(givenTables, givenNameSpace)
    , next(givenConcepts.begin())
{
    // More threads than chunks after the first would have nothing to do.
    size_t workers = std::min<size_t>(options.workers, chunkCount > 0 ? chunkCount - 1 : 0);
    slots.resize(kSlotsPerThread * (workers + 1));
    for (size_t i = 0; i < workers; ++i) {
        try {
            threads.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break; // fewer threads: the calling thread formats what is left
        }
    }
}

void ChunkedConcepts::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    released.notify_all();
    for (std::thread& thread : threads)
        thread.join();
    threads.clear();
}

bool ChunkedConcepts::take(size_t& index, ConceptIterator& first)
{
    if (stopping || takenCount == chunkCount || takenCount >= done + slots.size())
        return false;
    index = takenCount++;
    first = next;
    std::advance(next, size(index));
    return true;
}

void ChunkedConcepts::format(ConceptFormatter& formatter, size_t index, ConceptIterator first)
{
    Chunk& chunk = slot(index);
    chunk.text.clear();
    chunk.ends.clear();
    chunk.refused = false;
    size_t count = size(index);
    for (size_t i = 0; i < count; ++i, ++first) {
        if (!formatter.append(first->second, chunk.text, chunk.refusal)) {
            chunk.refused = true;
            return;
        }
        chunk.ends.push_back(chunk.text.size());
    }
}

void ChunkedConcepts::work()
{
    try {
        ConceptFormatter formatter(tables, nameSpace);
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            size_t index;
            ConceptIterator first;
            if (!take(index, first)) {
                if (stopping || takenCount == chunkCount)
                    return;
                released.wait(lock);
                continue;
            }
            lock.unlock();
            format(formatter, index, first);
            lock.lock();
            slot(index).ready = true;
            formatted.notify_one();
        }
    } catch (...) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!failure)
            failure = std::current_exception();
        stopping = true;
        formatted.notify_all();
    }
}

const Chunk& ChunkedConcepts::await(size_t index)
{
    std::unique_lock<std::mutex> lock(mutex);
    Chunk& chunk = slot(index);
    while (!chunk.ready) {
        if (failure)
            std::rethrow_exception(failure);
        size_t taken;
        ConceptIterator first;
        if (take(taken, first)) {
            lock.unlock();
            format(ownFormatter, taken, first);
            lock.lock();
            slot(taken).ready = true;
        } else {
            formatted.wait(lock);
        }
    }
    return chunk;
}

void ChunkedConcepts::release(size_t index)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        slot(index).ready = false;
        ++done;
    }
    released.notify_all();
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

    void buildTables(unsigned threads);
    bool write(const std::vector<std::string>& headerLines, const WriteOptions& options);

private:
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
    // Prints the message, removes the temporary and fails.
    bool refuse(const std::string& message);
    bool ioFailed();

    void attribute(std::string_view text) { xmltext::appendAttribute(out, text); }
    void content(std::string_view text) { xmltext::appendContent(out, text); }
    std::string_view conceptCode(std::string_view name) const
    {
        return tables.conceptCodes.get(name);
    }

    const QueltKb& kb;
    OutputFile& file;
    std::string& out;
    const std::string& fileName;
    const std::string& nameSpace;
    // Shown while the concepts are written; erased before any message.
    ProgressLine* activeProgress = nullptr;

    ConceptTables tables;
    std::set<std::string> rootConcepts;
    std::map<std::string, std::string> kindRoots;
};

// The tables are built on the calling thread, with help for the pass over
// the concepts; formatting starts once they are complete.
void OwlWriter::buildTables(unsigned threads)
{
    buildConceptTables(kb, threads, tables, rootConcepts);
    for (const auto& entry : kb.getRoleDefs())
        tables.roleCodes.set(entry.second.getName(), entry.second.getCode());
    tables.roleNames.forEach(
        [this](ElementName& role) { role.code = tables.roleCodes.get(*role.text); });

    if (kb.getNumKinds() != static_cast<long>(rootConcepts.size()))
        kb.getConsole().report({ Message::Kind::KindsWithoutRoots, "", "", "", 0 });

    for (const std::string& root : rootConcepts) {
        long id = kb.getIDFromName(root);
        kindRoots[kb.getConceptKind(kb.getConcept(id))] = root;
    }
}

bool OwlWriter::write(const std::vector<std::string>& headerLines, const WriteOptions& options)
{
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

bool OwlWriter::refuse(const std::string& message)
{
    if (activeProgress != nullptr)
        activeProgress->finish();
    kb.getConsole().err(message);
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
        return refuse(messageLine(
            { Message::Kind::HeaderRefusal, "document header", "", writerules::kUncarried, 0 }));
    return file.flushIfFull() || ioFailed();
}

bool OwlWriter::writeRoleDefs()
{
    for (const auto& entry : kb.getRoleDefs()) {
        const QueltRoleDef& def = entry.second;
        std::string_view id = tables.roleCodes.get(def.getName());
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
            attribute(tables.roleCodes.get(def.getParentRole()));
            out += "\"/>\n";
        } else {
            auto domain = kindRoots.find(def.getDomain());
            out += "\t<rdfs:domain rdf:resource=\"#";
            if (domain != kindRoots.end())
                attribute(conceptCode(domain->second));
            out += "\"/>\n";
            auto range = kindRoots.find(def.getRange());
            out += "\t<rdfs:range rdf:resource=\"#";
            if (range != kindRoots.end())
                attribute(conceptCode(range->second));
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
    for (const std::string& root : rootConcepts) {
        std::string_view id = conceptCode(root);
        checkOwlName(std::string(id), kb.getConsole());
        size_t mark = out.size();
        out += "<owl:Class rdf:about=\"#";
        attribute(id);
        out += "\">\n";
        for (const std::string& other : rootConcepts) {
            std::string_view otherId = conceptCode(other);
            checkOwlName(std::string(otherId), kb.getConsole());
            if (other != root) {
                out += "\t<owl:disjointWith rdf:resource=\"#";
                attribute(otherId);
                out += "\"/>\n";
            }
        }
        out += "</owl:Class>\n\n";
        if (!finishUnit(mark, "concept", root))
            return false;
    }
    return true;
}

// Every concept formatted on this thread, straight into the file's buffer.
bool OwlWriter::writeConcepts(ProgressLine& progress)
{
    ConceptFormatter formatter(tables, nameSpace);
    std::string refusal;
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
    ChunkedConcepts concepts(kb.getConcepts(), tables, nameSpace, options);
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
    unsigned cores = std::thread::hardware_concurrency();
    options.workers = cores > 1 ? std::min(cores - 1, 3u) : 0;
    return options;
}

bool writeOwlFile(const QueltKb& kb, const std::string& fileName,
    const std::vector<std::string>& headerLines, const std::string& nameSpace,
    const WriteOptions& options)
{
    OutputFile file(fileName);
    if (!file.open()) {
        kb.getConsole().report({ Message::Kind::OutputFailed, "file", fileName, file.reason(), 0 });
        return false;
    }
    reportLeftovers(file, kb.getConsole());
    OwlWriter writer(kb, file, fileName, nameSpace);
    writer.buildTables(options.workers);
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
