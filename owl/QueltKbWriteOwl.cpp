// Writing a knowledge base as one OWL ontology in RDF/XML.
//
// The file is produced in one pass: the header lines, the role, property,
// qualifier and association definitions as property declarations, the root
// classes with their disjointness, then every concept as a class followed
// by the annotation axioms of its qualified statements. Text goes into one
// reused buffer that is written out in large blocks (see OutputFile).
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

#include "model/QueltKb.h"

#include "owl/Indent.h"
#include "owl/OutputFile.h"
#include "owl/OwlAxioms.h"
#include "owl/XmlText.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <string_view>

namespace {

const char kXsdString[] = "http://www.w3.org/2001/XMLSchema#string";
const char kOwlNamespace[] = "http://www.w3.org/2002/07/owl#";
const char kRdfNil[] = "http://www.w3.org/1999/02/22-rdf-syntax-ns#nil";

const std::string kRxk = "RXK";
const std::string kPreferredName = "Preferred_Name";

// Names of attribute records (roles, properties, associations, qualifiers)
// by the map id they keep. A record's name is looked up in its class's
// registry, which does not change while the knowledge base is written, so
// each map id is looked up once.
template <class Record>
class NameCache {
public:
    const std::string& of(const Record& record)
    {
        long id = record.getNameID();
        if (id < 0 || id > kLimit)
            return record.getName();
        size_t at = static_cast<size_t>(id);
        if (at >= names_.size())
            names_.resize(at + 1, nullptr);
        if (names_[at] == nullptr)
            names_[at] = &record.getName();
        return *names_[at];
    }

private:
    static constexpr long kLimit = 1L << 16;
    std::vector<const std::string*> names_;
};

// Name -> identifier: open addressing with linear probing, at most half
// full. Keys point into the knowledge base, which does not change while it
// is being written; identifiers are copied into the slots, so a look-up
// usually touches one slot and the key's text. A later entry for the same
// name replaces the earlier one.
class CodeTable {
public:
    void reserve(size_t entries)
    {
        size_t capacity = 16;
        while (capacity < 2 * entries)
            capacity *= 2;
        if (capacity > slots_.size())
            rehash(capacity);
    }

    // Keys come from std::string, whose data() is never null.
    void set(std::string_view key, const std::string& code)
    {
        if (2 * (used_ + 1) > slots_.size())
            rehash(slots_.empty() ? 16 : 2 * slots_.size());
        size_t hash = std::hash<std::string_view>()(key);
        Slot& slot = slots_[position(key, hash)];
        if (slot.key.data() == nullptr) {
            slot.key = key;
            slot.hash = hash;
            ++used_;
        }
        slot.code = code;
    }

    // The identifier of the name, or the empty text.
    const std::string& get(std::string_view key) const
    {
        if (slots_.empty())
            return QueltTerminology::emptyString;
        const Slot& slot = slots_[position(key, std::hash<std::string_view>()(key))];
        return slot.key.data() == nullptr ? QueltTerminology::emptyString : slot.code;
    }

private:
    struct Slot {
        size_t hash = 0;
        std::string_view key; // data() == nullptr: the slot is free
        std::string code;
    };

    // Index of the slot holding the key, or of the free slot where it goes.
    size_t position(std::string_view key, size_t hash) const
    {
        size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.key.data() == nullptr || (slot.hash == hash && slot.key == key))
                return at;
        }
    }

    void rehash(size_t capacity)
    {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        for (Slot& entry : old) {
            if (entry.key.data() != nullptr)
                slots_[position(entry.key, entry.hash)] = std::move(entry);
        }
    }

    std::vector<Slot> slots_;
    size_t used_ = 0;
};

const std::string& lookup(const CodeTable& table, std::string_view key) { return table.get(key); }

// A name as shown in a message: C0 control characters as \xNN.
std::string shown(const std::string& name)
{
    std::string text;
    for (unsigned char c : name) {
        if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            text += escape;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

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
    OwlWriter(const QueltKb& kb, OutputFile& file, const std::string& fileName,
              const std::string& nameSpace)
        : kb_(kb), file_(file), out_(file.buffer()), fileName_(fileName), nameSpace_(nameSpace)
    {
    }

    void buildTables();
    bool write(const std::vector<std::string>& headerLines);

private:
    bool writeHeader(const std::vector<std::string>& headerLines);
    bool writeRoleDefs();
    bool writePropertyDefs();
    bool writeQualifierDefs();
    bool writeAssociationDefs();
    bool writeRootClasses();
    bool writeConcept(const QueltConcept& concept);

    template <class Def>
    void writeAnnotationProperty(const Def& def, void (*pickList)(std::string&,
                                                                 const std::vector<std::string>&));
    void writeDefinedForm(const QueltConcept& concept);
    void writePrimitiveForm(const QueltConcept& concept);
    void collectRoleGroups(const QueltConcept& concept);
    void writeGroupIntersection(size_t first, size_t last);
    void writeRestriction(const QueltRole& role, int depth);
    owlaxioms& nextAxiom();
    void setQualifiers(owlaxioms& axiom, const std::vector<QueltQualifier>& qualifiers);
    void writeAxioms();

    // Ends one unit of output (a definition, a class): refuses it when it
    // holds a character XML cannot carry or a name that cannot be an
    // element name, writes the buffer out when full.
    bool finishUnit(size_t mark, const char* what, const std::string& name);
    bool ioFailed();

    void attribute(const std::string& text) { xmltext::appendAttribute(out_, text); }
    // Appends the name of a property, association or qualifier (what) as an
    // element name; the first one of the unit that cannot be one is kept for
    // finishUnit.
    void elementName(const char* what, const std::string& name)
    {
        if (badElementKind_ == nullptr && !xmltext::isElementName(name)) {
            badElementKind_ = what;
            badElementName_ = name;
        }
        out_ += name;
    }
    void content(const std::string& text) { xmltext::appendContent(out_, text); }
    void tabs(int count) { out_.append(static_cast<size_t>(count), '\t'); }
    const std::string& conceptCode(std::string_view name) const
    {
        return lookup(conceptCodes_, name);
    }

    const QueltKb& kb_;
    OutputFile& file_;
    std::string& out_;
    const std::string& fileName_;
    const std::string& nameSpace_;

    const char* badElementKind_ = nullptr;
    std::string badElementName_;

    CodeTable conceptCodes_;
    CodeTable roleCodes_;
    std::set<std::string> rootConcepts_;
    std::map<std::string, std::string> kindRoots_;

    // Reused from concept to concept.
    std::vector<const QueltRole*> grouped_;
    std::vector<size_t> groupStarts_;
    std::vector<owlaxioms> axioms_;
    size_t axiomCount_ = 0;
    std::string scratch_;
    NameCache<QueltProperty> propertyNames_;
    NameCache<QueltRole> roleNames_;
    NameCache<QueltAssociation> associationNames_;
    NameCache<QueltQualifier> qualifierNames_;
};

void OwlWriter::buildTables()
{
    conceptCodes_.reserve(kb_.getConcepts().size());
    for (const auto& entry : kb_.getConcepts()) {
        const QueltConcept& concept = entry.second;
        for (const auto& property : concept.getProperties()) {
            if (propertyNames_.of(property.second) == kRxk)
                conceptCodes_.set(concept.getName(), property.second.getValue());
        }
    }
    for (const auto& entry : kb_.getRoleDefs())
        roleCodes_.set(entry.second.getName(), entry.second.getCode());
    kb_.findRootConcepts(rootConcepts_);

    if (kb_.getNumKinds() != static_cast<long>(rootConcepts_.size()))
        std::cerr << "Number of Kinds is not the same as the number of root Concepts." << std::endl;

    for (const std::string& root : rootConcepts_) {
        long id = kb_.getIDFromName(root);
        kindRoots_[kb_.getConceptKind(kb_.getConcept(id))] = root;
    }
}

bool OwlWriter::write(const std::vector<std::string>& headerLines)
{
    if (!writeHeader(headerLines) || !writeRoleDefs() || !writePropertyDefs() ||
        !writeQualifierDefs() || !writeAssociationDefs() || !writeRootClasses())
        return false;
    for (const auto& entry : kb_.getConcepts()) {
        if (!writeConcept(entry.second))
            return false;
    }
    out_ += "</rdf:RDF>\n";
    return file_.commit() || ioFailed();
}

bool OwlWriter::ioFailed()
{
    std::cerr << "ERROR: cannot write output file '" << fileName_ << "': " << file_.reason()
              << std::endl;
    file_.discard();
    return false;
}

bool OwlWriter::finishUnit(size_t mark, const char* what, const std::string& name)
{
    if (badElementKind_ != nullptr) {
        std::cerr << "ERROR: cannot write " << what << " '" << shown(name) << "': ";
        // A name without a definition reads back as the empty text.
        if (badElementName_.empty())
            std::cerr << (badElementKind_[0] == 'a' ? "an " : "a ") << badElementKind_
                      << " without a defined name" << std::endl;
        else
            std::cerr << badElementKind_ << " name '" << shown(badElementName_)
                      << "' cannot be an XML element name" << std::endl;
        file_.discard();
        return false;
    }
    if (!xmltext::carryable(out_.data() + mark, out_.size() - mark)) {
        std::cerr << "ERROR: cannot write " << what << " '" << shown(name)
                  << "': text holds a character XML cannot carry" << std::endl;
        file_.discard();
        return false;
    }
    return file_.flushIfFull() || ioFailed();
}

bool OwlWriter::writeHeader(const std::vector<std::string>& headerLines)
{
    for (const std::string& line : headerLines) {
        out_ += line;
        out_ += '\n';
    }
    out_ += '\n';
    if (!xmltext::carryable(out_)) {
        std::cerr << "ERROR: cannot write the document header: text holds a character XML "
                     "cannot carry"
                  << std::endl;
        file_.discard();
        return false;
    }
    return file_.flushIfFull() || ioFailed();
}

bool OwlWriter::writeRoleDefs()
{
    for (const auto& entry : kb_.getRoleDefs()) {
        const QueltRoleDef& def = entry.second;
        const std::string& id = lookup(roleCodes_, def.getName());
        kb_.isValidOWL(id);
        size_t mark = out_.size();
        out_ += "<owl:ObjectProperty rdf:ID=\"";
        attribute(id);
        out_ += "\">\n<code>";
        content(def.getCode());
        out_ += "</code>\n<rdfs:label>";
        content(def.getName());
        out_ += "</rdfs:label>\n";
        if (def.hasParent()) {
            out_ += "\t<rdfs:subPropertyOf rdf:resource=\"#";
            attribute(lookup(roleCodes_, def.getParentRole()));
            out_ += "\"/>\n";
        } else {
            auto domain = kindRoots_.find(def.getDomain());
            out_ += "\t<rdfs:domain rdf:resource=\"#";
            if (domain != kindRoots_.end())
                attribute(conceptCode(domain->second));
            out_ += "\"/>\n";
            auto range = kindRoots_.find(def.getRange());
            out_ += "\t<rdfs:range rdf:resource=\"#";
            if (range != kindRoots_.end())
                attribute(conceptCode(range->second));
            out_ += "\"/>\n";
        }
        out_ += "</owl:ObjectProperty>\n\n";
        if (!finishUnit(mark, "role definition", def.getName()))
            return false;
    }
    return true;
}

template <class Def>
void OwlWriter::writeAnnotationProperty(const Def& def,
                                        void (*pickList)(std::string&,
                                                         const std::vector<std::string>&))
{
    kb_.isValidOWL(def.getName());
    out_ += "<owl:AnnotationProperty rdf:ID=\"";
    attribute(def.getName());
    out_ += "\">\n<code>";
    content(def.getCode());
    out_ += "</code>\n<rdfs:label>";
    content(def.getName());
    out_ += "</rdfs:label>\n";
    if (def.hasPickList()) {
        pickList(out_, def.getPickList());
    } else {
        out_ += "<rdfs:range rdf:resource=\"";
        out_ += kXsdString;
        out_ += "\"/>\n<rdf:type rdf:resource=\"";
        out_ += kOwlNamespace;
        out_ += "DatatypeProperty\"/>\n";
    }
    out_ += "</owl:AnnotationProperty>\n\n";
}

bool OwlWriter::writePropertyDefs()
{
    for (const auto& entry : kb_.getPropertyDefs()) {
        size_t mark = out_.size();
        writeAnnotationProperty(entry.second, appendGrowingPickList);
        if (!finishUnit(mark, "property definition", entry.second.getName()))
            return false;
    }
    return true;
}

bool OwlWriter::writeQualifierDefs()
{
    for (const auto& entry : kb_.getQualifierDefs()) {
        size_t mark = out_.size();
        writeAnnotationProperty(entry.second, appendFlatPickList);
        if (!finishUnit(mark, "qualifier definition", entry.second.getName()))
            return false;
    }
    return true;
}

bool OwlWriter::writeAssociationDefs()
{
    for (const auto& entry : kb_.getAssociationDefs()) {
        const std::string& name = entry.second.getName();
        kb_.isValidOWL(name);
        size_t mark = out_.size();
        out_ += "<owl:ObjectProperty rdf:ID=\"";
        attribute(name);
        out_ += "\">\n<rdfs:label>";
        content(name);
        out_ += "</rdfs:label>\n<rdf:type rdf:resource=\"";
        out_ += kOwlNamespace;
        out_ += "AnnotationProperty\"/>\n</owl:ObjectProperty>\n\n";
        if (!finishUnit(mark, "association definition", name))
            return false;
    }
    return true;
}

bool OwlWriter::writeRootClasses()
{
    for (const std::string& root : rootConcepts_) {
        const std::string& id = conceptCode(root);
        kb_.isValidOWL(id);
        size_t mark = out_.size();
        out_ += "<owl:Class rdf:about=\"#";
        attribute(id);
        out_ += "\">\n";
        for (const std::string& other : rootConcepts_) {
            const std::string& otherId = conceptCode(other);
            kb_.isValidOWL(otherId);
            if (other != root) {
                out_ += "\t<owl:disjointWith rdf:resource=\"#";
                attribute(otherId);
                out_ += "\"/>\n";
            }
        }
        out_ += "</owl:Class>\n\n";
        if (!finishUnit(mark, "concept", root))
            return false;
    }
    return true;
}

void OwlWriter::writeRestriction(const QueltRole& role, int depth)
{
    tabs(depth);
    out_ += "<owl:Restriction>\n";
    tabs(depth + 1);
    out_ += "<owl:onProperty rdf:resource=\"#";
    attribute(lookup(roleCodes_, roleNames_.of(role)));
    out_ += "\"/>\n";
    tabs(depth + 1);
    out_ += role.modifier().name() == "all" ? "<owl:allValuesFrom rdf:resource=\"#"
                                            : "<owl:someValuesFrom rdf:resource=\"#";
    attribute(conceptCode(role.getValue()));
    out_ += "\"/>\n";
    tabs(depth);
    out_ += "</owl:Restriction>\n";
}

// Sorts the concept's grouped roles by group number, keeping the concept's
// role order within a group, and notes where each group starts. Every
// group number other than 0 that holds a role is a group of its own.
void OwlWriter::collectRoleGroups(const QueltConcept& concept)
{
    grouped_.clear();
    groupStarts_.clear();
    for (const auto& entry : concept.getRoles()) {
        if (entry.second.getRolegroup() != 0)
            grouped_.push_back(&entry.second);
    }
    std::stable_sort(grouped_.begin(), grouped_.end(), [](const QueltRole* a, const QueltRole* b) {
        return a->getRolegroup() < b->getRolegroup();
    });
    for (size_t i = 0; i < grouped_.size(); ++i) {
        if (i == 0 || grouped_[i]->getRolegroup() != grouped_[i - 1]->getRolegroup())
            groupStarts_.push_back(i);
    }
    groupStarts_.push_back(grouped_.size());
}

void OwlWriter::writeGroupIntersection(size_t first, size_t last)
{
    out_ += "\t\t\t\t<owl:intersectionOf rdf:parseType=\"Collection\">\n";
    for (size_t i = first; i < last; ++i)
        writeRestriction(*grouped_[i], 5);
    out_ += "\t\t\t\t</owl:intersectionOf>\n";
}

void OwlWriter::writePrimitiveForm(const QueltConcept& concept)
{
    for (const std::string& parent : concept.getParents()) {
        out_ += "<rdfs:subClassOf rdf:resource=\"#";
        attribute(conceptCode(parent));
        out_ += "\"/>\n";
    }
    for (const auto& entry : concept.getRoles()) {
        if (entry.second.getRolegroup() == 0) {
            out_ += "<rdfs:subClassOf>\n";
            writeRestriction(entry.second, 1);
            out_ += "</rdfs:subClassOf>\n";
        }
    }
    collectRoleGroups(concept);
    size_t groups = groupStarts_.size() - 1;
    if (groups == 0)
        return;
    out_ += "<rdfs:subClassOf>\n\t<owl:Class>\n";
    if (groups > 1)
        out_ += "\t\t<owl:unionOf rdf:parseType=\"Collection\">\n";
    for (size_t g = 0; g < groups; ++g) {
        if (groups > 1)
            out_ += "\t\t\t<owl:Class>\n";
        writeGroupIntersection(groupStarts_[g], groupStarts_[g + 1]);
        if (groups > 1)
            out_ += "\t\t\t</owl:Class>\n";
    }
    if (groups > 1)
        out_ += "\t\t</owl:unionOf>\n";
    out_ += "\t</owl:Class>\n</rdfs:subClassOf>\n";
}

void OwlWriter::writeDefinedForm(const QueltConcept& concept)
{
    out_ += "<owl:equivalentClass>\n\t<owl:Class>\n"
            "\t\t<owl:intersectionOf rdf:parseType=\"Collection\">\n";
    for (const std::string& parent : concept.getParents()) {
        out_ += "\t\t\t<owl:Class rdf:about=\"#";
        attribute(conceptCode(parent));
        out_ += "\"/>\n";
    }
    for (const auto& entry : concept.getRoles()) {
        if (entry.second.getRolegroup() == 0)
            writeRestriction(entry.second, 3);
    }
    collectRoleGroups(concept);
    size_t groups = groupStarts_.size() - 1;
    if (groups > 1)
        out_ += "\t\t\t<owl:Class>\n\t\t\t<owl:unionOf rdf:parseType=\"Collection\">\n";
    for (size_t g = 0; g < groups; ++g) {
        out_ += "\t\t\t<owl:Class>\n";
        writeGroupIntersection(groupStarts_[g], groupStarts_[g + 1]);
        out_ += "\t\t\t</owl:Class>\n";
    }
    if (groups > 1)
        out_ += "\t\t\t</owl:unionOf>\n\t\t\t</owl:Class>\n";
    out_ += "\t\t</owl:intersectionOf>\n\t</owl:Class>\n</owl:equivalentClass>\n";
}

owlaxioms& OwlWriter::nextAxiom()
{
    if (axiomCount_ == axioms_.size())
        axioms_.emplace_back();
    return axioms_[axiomCount_++];
}

void OwlWriter::setQualifiers(owlaxioms& axiom, const std::vector<QueltQualifier>& qualifiers)
{
    axiom.qualifiers.resize(qualifiers.size());
    for (size_t i = 0; i < qualifiers.size(); ++i) {
        nameValue& entry = axiom.qualifiers[i];
        entry.name = qualifierNames_.of(qualifiers[i]);
        entry.value.clear();
        xmltext::appendContent(entry.value, qualifiers[i].getValue());
    }
}

void OwlWriter::writeAxioms()
{
    for (size_t i = 0; i < axiomCount_; ++i) {
        const owlaxioms& axiom = axioms_[i];
        out_ += "<owl:Axiom>\n";
        for (const nameValue& qualifier : axiom.qualifiers) {
            out_ += "\t<";
            elementName("qualifier", qualifier.name);
            out_ += '>';
            out_ += qualifier.value;
            out_ += "</";
            out_ += qualifier.name;
            out_ += ">\n";
        }
        out_ += "\t<owl:annotatedTarget>";
        out_ += axiom.target;
        out_ += "</owl:annotatedTarget>\n\t<owl:annotatedSource rdf:resource=\"#";
        attribute(axiom.source);
        out_ += "\"/>\n\t<owl:annotatedProperty rdf:resource=\"#";
        attribute(axiom.property);
        out_ += "\"/>\n</owl:Axiom>\n";
    }
}

bool OwlWriter::writeConcept(const QueltConcept& concept)
{
    size_t mark = out_.size();
    const std::string& id = conceptCode(concept.getName());
    out_ += "<owl:Class rdf:about=\"#";
    attribute(id);
    out_ += "\">\n<rdfs:label>";

    const std::string* label = &concept.getName();
    for (const auto& entry : concept.getProperties()) {
        if (propertyNames_.of(entry.second) == kPreferredName) {
            label = &entry.second.getValue();
            break;
        }
    }
    content(*label);
    out_ += "</rdfs:label>\n<code>";
    content(concept.getCode());
    out_ += "</code>\n";

    if (concept.getState())
        writeDefinedForm(concept);
    else
        writePrimitiveForm(concept);

    axiomCount_ = 0;
    for (const auto& entry : concept.getProperties()) {
        const QueltProperty& property = entry.second;
        const std::string& name = propertyNames_.of(property);
        out_ += '<';
        elementName("property", name);
        out_ += '>';
        size_t valueStart = out_.size();
        content(property.getValue());
        size_t valueEnd = out_.size();
        out_ += "</";
        out_ += name;
        out_ += ">\n";
        if (property.hasQualifier()) {
            owlaxioms& axiom = nextAxiom();
            setQualifiers(axiom, property.getQualifiers());
            axiom.target.assign(out_, valueStart, valueEnd - valueStart);
            axiom.source = id;
            axiom.property = name;
        }
    }
    for (const auto& entry : concept.getAssociations()) {
        const QueltAssociation& association = entry.second;
        const std::string& name = associationNames_.of(association);
        const std::string& target = conceptCode(association.getValue());
        out_ += '<';
        elementName("association", name);
        out_ += " rdf:resource=\"#";
        attribute(target);
        out_ += "\"/>\n";
        if (association.hasQualifier()) {
            owlaxioms& axiom = nextAxiom();
            setQualifiers(axiom, association.getQualifiers());
            scratch_.assign(nameSpace_);
            scratch_ += target;
            axiom.target.clear();
            xmltext::appendContent(axiom.target, scratch_);
            axiom.source = id;
            axiom.property = name;
        }
    }
    out_ += "</owl:Class>\n";
    writeAxioms();
    out_ += '\n';
    return finishUnit(mark, "concept", concept.getName());
}

} // namespace

std::string QueltKb::verifyOutString(const std::string& text) const
{
    return xmltext::content(text);
}

bool QueltKb::isValidOWL(const std::string& name) const
{
    // ASCII only: a byte of a multi-byte character is never valid.
    auto isLetter = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto isDigit = [](unsigned char c) { return c >= '0' && c <= '9'; };
    bool valid = true;
    if (name.empty() || !(isLetter(name[0]) || name[0] == '_')) {
        std::cerr << "ERROR:  invalid OWL name; first char \"" << name << "\"" << std::endl;
        valid = false;
    }
    for (size_t i = 1; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (!(isLetter(c) || isDigit(c) || c == '_' || c == '-' || c == '.')) {
            std::cerr << "ERROR:  invalid OWL name; internal char at " << i + 1 << ", \"" << name
                      << "\"" << std::endl;
            valid = false;
        }
    }
    return valid;
}

bool QueltKb::writeMedvex2OWLFile(std::string& fileName, std::vector<std::string>& headerLines,
                                  std::string& nameSpace)
{
    OutputFile file(fileName);
    if (!file.open()) {
        std::cerr << "ERROR: cannot write output file '" << fileName << "': " << file.reason()
                  << std::endl;
        return false;
    }
    OwlWriter writer(*this, file, fileName, nameSpace);
    writer.buildTables();
    return writer.write(headerLines);
}
