#ifndef QUELT_ONTYLOG_ONTYLOGHANDLER_H
#define QUELT_ONTYLOG_ONTYLOGHANDLER_H

#include "ontylog/OntylogRecords.h"

#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/util/TransService.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QueltKb;

// Where a handler that does not build records itself sends its steps.
class StepSink {
public:
    virtual ~StepSink() = default;
    // Takes the steps of the batch and leaves it empty (its buffers may be
    // exchanged for others). May throw to stop the parse.
    virtual void ship(ontylog::Batch& batch) = 0;
};

class OntylogBuilder;

// The SAX2 content and error handler that reads one Ontylog XML terminology:
// each end tag that completes something (a definition, a concept, or a
// role, property, association or qualifier of a concept) becomes one step
// (OntylogRecords.h), in document order. Constructed with a knowledge base,
// the handler applies every step to it at once; constructed with a sink, it
// only collects steps, in batches, and never touches the model, so the
// parse can run on a thread of its own while another thread applies them.
//
// The Xerces-facing part is thin: element names are looked up as the parser
// gives them (UTF-16); attribute values and character data are converted to
// UTF-8 once, at the boundary, with one UTF-8 transcoder made for this
// handler and buffers reused from event to event; the rest of the class
// works on std::string only. Character data is collected per open element,
// as it arrives, so an element's text is all of its own character data
// however the parser splits it, and is delivered at its end tag.
//
// One handler serves one parse. It needs an initialised parser library for
// its whole life (it makes its transcoder in the constructor).
class OntylogHandler : public xercesc::DefaultHandler {
public:
    // Applies every step to the knowledge base as soon as it is complete.
    explicit OntylogHandler(QueltKb& kb);
    // Sends the steps to the sink in batches; call flush() after the parse.
    explicit OntylogHandler(StepSink& sink);
    ~OntylogHandler() override;
    OntylogHandler(const OntylogHandler&) = delete;
    OntylogHandler& operator=(const OntylogHandler&) = delete;

    void startElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname,
        const xercesc::Attributes& attrs) override;
    void endElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname) override;
    void characters(const XMLCh* chars, XMLSize_t length) override;
    // Records that the document was not read completely. The step it
    // makes prints "Fatal Error: <message> at line: <line>" on standard
    // output when it is applied.
    void fatalError(const xercesc::SAXParseException& exc) override;

    // Sends the steps not yet sent to the sink (nothing to do when the
    // handler applies its steps itself).
    void flush();

    // Whether the parser reported a fatal error, and the line it gave.
    bool hadFatalError() const { return fatalErrorSeen; }
    uint64_t getFatalErrorLine() const { return fatalErrorLine; }

    // A message of the parser library as UTF-8 text for the console.
    // Depends on no state of the library, so it also serves when the
    // library failed to initialise.
    static std::string messageText(const XMLCh* message);

    // An identifier text converted as atoi does (leading white space, an
    // optional sign, the decimal digits up to the first other character;
    // no digits give 0), except that a value outside the signed 32-bit
    // range saturates to its nearest end instead of being undefined.
    static int32_t convertId(const std::string& text);

private:
    // Every element name the handler acts on; all others are ignored.
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
        // Elements whose text is read.
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
    // Tags from Name on are the elements whose character data is read.
    static Tag tagOf(std::u16string_view elementName);

    OntylogHandler(StepSink* sink, QueltKb* kb);

    // --- Boundary: UTF-16 from the parser to UTF-8 --------------------------
    // Converts into out (replaced); out keeps its capacity between calls.
    void toUtf8(const XMLCh* text, XMLSize_t length, std::string& out);
    // Converts onto the end of out. A lone surrogate becomes U+FFFD, or is
    // dropped at the very end.
    void appendUtf8(const XMLCh* text, XMLSize_t length, std::string& out);
    void attributeValue(const xercesc::Attributes& attrs, const XMLCh* name, std::string& out);

    // --- Plain C++ part: the tables of the format ---------------------------
    void openElement(Tag tag);
    void deliverText(Tag tag, std::string& text);
    void closeElement(Tag tag);
    // Top of blockStack, or Tag::Other when it is empty.
    Tag topBlock() const { return blockStack.empty() ? Tag::Other : blockStack.back(); }
    void popBlock();

    void initNamespaceDef();
    void initKindDef();
    void initRoleDef();
    void initPropertyDef();
    void initQualifierDef();
    void initAssocDef();
    void initConDef();

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

    // --- Steps -----------------------------------------------------------------
    ontylog::Step& newStep(ontylog::StepKind kind);
    ontylog::Step& newDefinitionStep(ontylog::StepKind kind);
    ontylog::Text keep(const std::string& text) { return batch.add(text); }
    // A step is complete: applied at once, or sent once the batch is full.
    void stepDone();

    // A list of texts whose strings keep their capacity when it is emptied.
    struct TextList {
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
    // Copies the list into the step's items.
    void keepList(ontylog::Step& step, const TextList& list);

    // --- Handler fields ----------------------------------------------------------
    // The definition most recently started; stays after it ended. Both
    // concept elements are recorded as Tag::ConceptDef.
    Tag currentDef = Tag::Other;
    bool inKindDef = false;
    bool inNamespaceDef = false;
    bool inRoleDef = false;
    bool inPropertyDef = false;
    bool inConceptDef = false;
    bool inAssocDef = false;
    bool inQualifierDef = false;
    bool inRoleGroup = false;
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
    int32_t curId = 0;
    bool curDisplayable = false;
    bool curReference = false;
    bool curLocalized = false;
    bool curContainsIndex = false;
    bool curDefined = true;
    TextList curPickList;
    TextList curParents;
    // The roles, properties, associations and qualifiers of a concept are
    // records of the model: they are built by whoever applies the steps.
    // Open elements, innermost last, and the character data collected for
    // each, in UTF-8 (elementText[i] belongs to elementStack[i]; the vector
    // only grows, so its strings keep their capacity for the next element at
    // that depth). A text handed to a field swaps buffers with it.
    std::vector<Tag> elementStack;
    std::vector<std::string> elementText;
    // The leading unit of a surrogate pair that ended the last piece of
    // character data, or 0.
    XMLCh heldSurrogate = 0;
    // Open record blocks of a concept: ConceptDef, DefiningConcepts, Role,
    // Property, Association, Qualifier.
    std::vector<Tag> blockStack;
    int32_t roleGroupCount = 0;
    // Concept elements open, the one being read included.
    int32_t openConcepts = 0;

    // --- Where the steps go ------------------------------------------------------
    ontylog::Batch batch;
    std::unique_ptr<OntylogBuilder> builder; // applies at once, or
    StepSink* sink = nullptr; // sends in batches

    // --- Boundary state ------------------------------------------------------
    xercesc::XMLTranscoder* utf8 = nullptr;
    std::string textBuffer;
    bool fatalErrorSeen = false;
    uint64_t fatalErrorLine = 0;
};

#endif
