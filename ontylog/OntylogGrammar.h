#ifndef QUELT_ONTYLOG_ONTYLOGGRAMMAR_H
#define QUELT_ONTYLOG_ONTYLOGGRAMMAR_H

#include "ontylog/OntylogSteps.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ontylog {

// Every element name the grammar acts on; all others are ignored.
enum class Tag : unsigned char {
    Other,
    // Definitions.
    NamespaceDef,
    KindDef,
    RoleDef,
    PropertyDef,
    AssociationDef,
    QualifierDef,
    // Concepts and their blocks.
    ConceptDef,
    ConceptInf,
    DefiningConcepts,
    Role,
    RoleGroup,
    Property,
    Association,
    Qualifier,
    // Empty flag elements.
    Some,
    All,
    Poss,
    Primitive,
    Localized,
    ContainsIndex,
    Displayable,
    // Elements whose text is read; every tag from Name on.
    Name,
    Code,
    Id,
    Namespace,
    Kind,
    Domain,
    Range,
    RightId,
    ParentRole,
    InverseName,
    PickListItem,
    Concept,
    Value,
    Locale,
};

// The tag of an element name as the parser gives it: UTF-16, ended by a
// zero unit.
Tag tagOf(const char16_t* elementName);

// Whether the element's character data is read.
inline bool readsText(Tag tag)
{
    return tag >= Tag::Name;
}

// The attribute the grammar reads from the start tag of the element, or
// nullptr: "reference" of a kind definition, "type" of a qualifier
// definition.
inline const char16_t* attributeOf(Tag tag)
{
    return tag == Tag::KindDef ? u"reference" : tag == Tag::QualifierDef ? u"type" : nullptr;
}

// An identifier text converted as atoi does (leading white space, an
// optional sign, the decimal digits up to the first other character; no
// digits give 0), except that a value outside the signed 32-bit range
// saturates to its nearest end instead of being undefined.
std::int32_t convertId(const std::string& text);

// Where the parser is in the document: the line of the start tag it has
// just read.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual std::uint64_t currentLine() const = 0;
};

// The element grammar of an Ontylog XML terminology, in plain C++: it is
// told of start tags, of the character data of the innermost open element
// and of end tags, and makes one step (OntylogSteps.h) of each end tag that
// completes something: a definition, a concept, or a role, property,
// association or qualifier of a concept. The steps go to the sink in
// batches; call flush() after the last event.
//
// The text of an element is all of its own character data however the
// parser splits it: the caller appends it, as UTF-8, to text() while the
// element is the innermost one open, and the grammar takes it at the end
// tag. A definition never inherits values from one before it: its fields
// are reset when its start tag is read. Given a line source, the grammar
// also makes a line step at the start tag of every definition and concept.
class OntylogGrammar {
public:
    explicit OntylogGrammar(StepSink& givenSink)
        : sink(givenSink)
    {
    }
    OntylogGrammar(const OntylogGrammar&) = delete;
    OntylogGrammar& operator=(const OntylogGrammar&) = delete;

    // attribute: the value of attributeOf(tag), the empty text when the
    // start tag lacks it. The grammar may take its buffer.
    void startElement(Tag tag, std::string& attribute);
    void endElement();

    // Whether an element is open whose text is read, and that text so far.
    bool readingText() const { return !elementStack.empty() && readsText(elementStack.back()); }
    std::string& text() { return elementText[elementStack.size() - 1]; }

    // Asks the source for the line of each definition and concept; nullptr
    // (the default): no line steps.
    void setLineSource(const LineSource* source) { lineSource = source; }

    // The parser stopped at a fatal error.
    void fatalError(std::string_view message, std::uint64_t line);

    // Sends the steps not yet sent.
    void flush();

private:
    void openElement(Tag tag, std::string& attribute);
    void deliverText(Tag tag, std::string& text);
    void deliverConceptText(Tag tag, std::string& text);
    void deliverDefinitionText(Tag tag, std::string& text);
    void closeElement(Tag tag);
    // The end tags of definitions and of the flag elements.
    void closeDefinitionElement(Tag tag);
    // Top of blockStack, or Tag::Other when it is empty.
    Tag topBlock() const { return blockStack.empty() ? Tag::Other : blockStack.back(); }
    void popBlock();
    // Ends the definition or concept of that tag when it is the open one.
    void closeDefinition(Tag tag);

    void initNamespaceDef();
    void initKindDef(std::string& reference);
    void initRoleDef();
    void initPropertyDef();
    void initQualifierDef(std::string& type);
    void initAssocDef();
    void initConDef();
    // Starts a definition of that tag, with what every definition resets.
    void initDefinition(Tag tag, std::int32_t id);

    void constructNamespaceDef();
    void constructKindDef();
    void constructRoleDef();
    void constructPropertyDef();
    void constructAssociationDef();
    void constructQualifierDef();
    void constructConDef();

    void endRole();
    void endProperty();
    void endAssociation();
    void endQualifier();

    // A step is complete: sent once the batch is full.
    void add(const Step& step);
    Text keep(const std::string& text) { return batch.add(text); }

    // A list of texts whose strings keep their capacity when it is emptied.
    struct Texts {
        std::vector<std::string> items;
        std::size_t size = 0;
        void clear() { size = 0; }
        void push(const std::string& text)
        {
            if (size == items.size())
                items.emplace_back();
            items[size++] = text;
        }
    };
    TextList keep(const Texts& list);

    // The definition or concept open now, Tag::Other when none is: one of
    // the six definition tags, or Tag::ConceptDef for both concept
    // elements. Definitions and concepts do not nest; should one start
    // inside another all the same, the inner one is the open one until it
    // ends, and then none is.
    Tag openDef = Tag::Other;
    // The definition most recently started; stays after it ended (the flag
    // elements act by it). Both concept elements count as Tag::ConceptDef.
    Tag currentDef = Tag::Other;
    bool inRoleGroup = false;

    // The fields of the definition or concept being read.
    std::string curConceptName;
    std::string curName;
    std::string curCode;
    std::string curNamespace;
    std::string curKind;
    std::string curRange;
    std::string curRightId;
    std::string curParentRole;
    std::string curModifier;
    std::string curValue;
    std::string curLocale;
    std::string curInverseName;
    std::string curQualifierType;
    std::string curQualName;
    std::string curQualValue;
    std::int32_t curId = 0;
    bool curDisplayable = false;
    bool curReference = false;
    bool curLocalized = false;
    bool curContainsIndex = false;
    bool curDefined = true;
    Texts curPickList;
    Texts curParents;
    // The roles, properties, associations and qualifiers of a concept are
    // records of the model: the builder keeps them.

    // Open elements, innermost last, and the character data collected for
    // each (elementText[i] belongs to elementStack[i]; the vector only
    // grows, so its strings keep their capacity for the next element at that
    // depth). A text handed to a field swaps buffers with it.
    std::vector<Tag> elementStack;
    std::vector<std::string> elementText;
    // Open record blocks of a concept: ConceptDef, DefiningConcepts, Role,
    // Property, Association, Qualifier.
    std::vector<Tag> blockStack;
    std::int32_t roleGroupCount = 0;
    // Concept elements open, the one being read included.
    std::int32_t openConcepts = 0;

    // The line step of a start tag that starts a definition or concept;
    // called only with a line source.
    void noteLine(Tag tag);

    Batch batch;
    StepSink& sink;
    const LineSource* lineSource = nullptr;
};

} // namespace ontylog

#endif
