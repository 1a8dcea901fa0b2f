#ifndef QUELT_ONTYLOG_ONTYLOGRECORDS_H
#define QUELT_ONTYLOG_ONTYLOGRECORDS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the content handler makes of a document, as plain data: a sequence
// of steps, each one thing that happens to the knowledge base when an end
// tag is read (a definition or a concept to add, a role, property,
// association or qualifier record to build for the open concept), in
// document order. The handler fills a batch of steps; a StepApplier turns
// them into records. Nothing here knows the parser library or the model, so
// a batch can be filled on one thread and applied on another.
namespace ontylog {

// A text of the batch: bytes [offset, offset + length) of Batch::text.
struct Text {
    std::size_t offset = 0;
    std::size_t length = 0;
};

enum class StepKind : std::uint8_t {
    Namespace, // texts: name, code                      number: id
    Kind, // texts: name, code, namespace           flag: reference
    RoleDef, // texts: name, code, namespace, domain, range, rightId, parentRole
    PropertyDef, // texts: name, code, namespace, range    flags: localized, containsIndex
                 // list: pick-list items
    AssociationDef, // texts: name, code, namespace, inverse  flag: displayable
    QualifierDef, // texts: name, code, namespace, type     list: pick-list items
    ConceptStart, // a concept element opened: the attribute lists start empty
    Role, // texts: name, value, modifier           number: role group
    Qualifier, // texts: name, value
    Property, // texts: name, value, locale; takes the waiting qualifiers
    Association, // texts: name, value; takes the waiting qualifiers
    Concept, // texts: name, code, namespace, kind     number: id
             // flag: defined; flag2: nothing reads the lists again
             // list: parents
    FatalError, // texts: message                         line: line number
};

struct Step {
    StepKind kind;
    bool flag = false;
    bool flag2 = false;
    std::int32_t number = 0;
    std::uint64_t line = 0;
    Text text[7];
    // Items [listBegin, listEnd) of Batch::items.
    std::size_t listBegin = 0;
    std::size_t listEnd = 0;
};

// A run of steps with all their texts; reused from batch to batch, so its
// buffers keep their capacity.
struct Batch {
    std::string text;
    std::vector<Step> steps;
    std::vector<Text> items;

    void clear()
    {
        text.clear();
        steps.clear();
        items.clear();
    }
    bool empty() const { return steps.empty(); }

    Text add(std::string_view bytes)
    {
        Text t { text.size(), bytes.size() };
        text.append(bytes.data(), bytes.size());
        return t;
    }
    std::string_view view(const Text& t) const
    {
        return std::string_view(text.data() + t.offset, t.length);
    }
    std::string string(const Text& t) const { return std::string(text, t.offset, t.length); }
};

} // namespace ontylog

#endif
