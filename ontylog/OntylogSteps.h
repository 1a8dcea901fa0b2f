#ifndef QUELT_ONTYLOG_ONTYLOGSTEPS_H
#define QUELT_ONTYLOG_ONTYLOGSTEPS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What the grammar makes of a document, as plain data: a sequence of steps,
// each one thing that happens to the knowledge base when an end tag is read
// (a definition or a concept to add, a role, property, association or
// qualifier record to build for the open concept), in document order. The
// grammar (OntylogGrammar) fills batches of steps; the builder
// (OntylogBuilder) turns them into records. Nothing here knows the parser
// library or the model, so a batch can be filled on one thread and applied
// on another.
namespace ontylog {

// A text of the batch: bytes [offset, offset + length) of Batch::text.
struct Text {
    std::size_t offset = 0;
    std::size_t length = 0;
};

// A list of texts: items [begin, end) of Batch::items.
struct TextList {
    std::size_t begin = 0;
    std::size_t end = 0;
};

struct NamespaceDefStep {
    Text name, code;
    std::int32_t id;
};

struct KindDefStep {
    Text name, code, nameSpace;
    std::int32_t id;
    bool reference;
};

struct RoleDefStep {
    Text name, code, nameSpace, domain, range, rightId, parentRole;
    std::int32_t id;
};

struct PropertyDefStep {
    Text name, code, nameSpace, range;
    std::int32_t id;
    bool localized, containsIndex;
    TextList pickList;
};

struct AssociationDefStep {
    Text name, code, nameSpace, inverseName;
    std::int32_t id;
    bool displayable;
};

struct QualifierDefStep {
    Text name, code, nameSpace, type;
    std::int32_t id;
    TextList pickList;
};

// A concept element opened: the lists of roles, properties, associations
// and qualifiers start empty.
struct ConceptStartStep { };

struct RoleStep {
    Text name, value, modifier;
    std::int32_t roleGroup; // 0: in no role group
};

// Waits, with the qualifiers before it, for the next property or association.
struct QualifierStep {
    Text name, value;
};

// Takes the qualifiers waiting.
struct PropertyStep {
    Text name, value, locale;
};

// Takes the qualifiers waiting.
struct AssociationStep {
    Text name, value;
};

struct ConceptStep {
    Text name, code, nameSpace, kind;
    std::int32_t id;
    bool defined;
    // No enclosing concept element is open, so nothing reads the lists of
    // roles, properties and associations again: they may be handed over.
    bool outermost;
    TextList parents;
};

// The start tag of a definition or concept stands at this line. Made only
// when lines are asked for, before any other step of what it starts.
struct LineStep {
    std::uint64_t line;
};

// The parser stopped: the document could not be read completely.
struct FatalErrorStep {
    Text message;
    std::uint64_t line;
};

using Step = std::variant<NamespaceDefStep, KindDefStep, RoleDefStep, PropertyDefStep,
    AssociationDefStep, QualifierDefStep, ConceptStartStep, RoleStep, QualifierStep, PropertyStep,
    AssociationStep, ConceptStep, LineStep, FatalErrorStep>;

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
    std::vector<std::string> strings(const TextList& list) const
    {
        std::vector<std::string> out;
        out.reserve(list.end - list.begin);
        for (std::size_t i = list.begin; i < list.end; ++i)
            out.push_back(string(items[i]));
        return out;
    }
};

// Where the grammar sends its batches.
class StepSink {
public:
    virtual ~StepSink() = default;
    // Takes the steps of the batch and leaves it empty (its buffers may be
    // exchanged for others). May throw to stop the parse.
    virtual void ship(Batch& batch) = 0;
};

} // namespace ontylog

#endif
