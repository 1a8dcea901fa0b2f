#ifndef QUELT_ONTYLOG_ONTYLOGHANDLER_H
#define QUELT_ONTYLOG_ONTYLOGHANDLER_H

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "model/QueltRole.h"

#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/util/TransService.hpp>

#include <cstdint>
#include <string>
#include <vector>

class QueltKb;

// The SAX2 content and error handler that reads one Ontylog XML terminology
// into a knowledge base: each definition and each concept becomes a record
// at its end tag and is handed to the knowledge base at once.
//
// The Xerces-facing part is thin: element names, attribute values and
// character data are converted to UTF-8 once, at the boundary, with one
// UTF-8 transcoder made for this handler and buffers reused from event to
// event; the rest of the class works on std::string only. Character data is
// collected per open element, so an element's text is all of its own
// character data however the parser splits it, and is delivered at its end
// tag.
//
// One handler serves one parse. It needs an initialised parser library for
// its whole life (it makes its transcoder in the constructor).
class OntylogHandler : public xercesc::DefaultHandler {
public:
    explicit OntylogHandler(QueltKb& kb);
    ~OntylogHandler() override;
    OntylogHandler(const OntylogHandler&) = delete;
    OntylogHandler& operator=(const OntylogHandler&) = delete;

    void startElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname,
                      const xercesc::Attributes& attrs) override;
    void endElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname) override;
    void characters(const XMLCh* chars, XMLSize_t length) override;
    // Prints "Fatal Error: <message> at line: <line>" on standard output
    // and records that the document was not read completely.
    void fatalError(const xercesc::SAXParseException& exc) override;

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
    static Tag tagOf(const std::string& elementName);

    // --- Boundary: UTF-16 from the parser to UTF-8 --------------------------
    // Converts into out (replaced); out keeps its capacity between calls.
    void toUtf8(const XMLCh* text, XMLSize_t length, std::string& out);
    void attributeValue(const xercesc::Attributes& attrs, const XMLCh* name, std::string& out);

    // --- Plain C++ part: the tables of the format ---------------------------
    void openElement(Tag tag);
    void deliverText(Tag tag, const std::string& text);
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

    // --- Handler fields (Part 3.2) -------------------------------------------
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
    std::vector<std::string> curPickList;
    std::vector<std::string> curParents;
    std::vector<QueltRole> curRoles;
    std::vector<QueltProperty> curProperties;
    std::vector<QueltAssociation> curAssociations;
    std::vector<QueltQualifier> curQualifiers;
    // Open elements, innermost last, and the character data collected for
    // each (elementText[i] belongs to elementStack[i]; the vector only grows,
    // so its strings keep their capacity for the next element at that depth).
    std::vector<Tag> elementStack;
    std::vector<std::u16string> elementText;
    // Open record blocks of a concept: ConceptDef, DefiningConcepts, Role,
    // Property, Association, Qualifier.
    std::vector<Tag> blockStack;
    int32_t roleGroupCount = 0;
    QueltKb& kb;

    // --- Boundary state ------------------------------------------------------
    xercesc::XMLTranscoder* utf8 = nullptr;
    std::string nameBuffer;
    std::string textBuffer;
    bool fatalErrorSeen = false;
    uint64_t fatalErrorLine = 0;
};

#endif
