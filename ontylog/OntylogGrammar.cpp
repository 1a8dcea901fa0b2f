#include "ontylog/OntylogGrammar.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace ontylog {

namespace {

// A batch is sent when it holds this many steps or this many bytes of text,
// whichever comes first: large enough that handing it over costs little,
// small enough that the batches on their way take little memory.
const std::size_t kStepsPerBatch = 2048;
const std::size_t kBytesPerBatch = 512 * 1024;

const std::string kFalse = "false";
const std::string kSome = "some";
const std::string kAll = "all";
const std::string kPoss = "poss";

// Every element name the grammar acts on, with its tag.
struct TagName {
    std::u16string_view name;
    Tag tag;
};
const TagName kTagNames[] = {
    { u"name", Tag::Name },
    { u"value", Tag::Value },
    { u"property", Tag::Property },
    { u"qualifier", Tag::Qualifier },
    { u"concept", Tag::Concept },
    { u"role", Tag::Role },
    { u"some", Tag::Some },
    { u"code", Tag::Code },
    { u"id", Tag::Id },
    { u"namespace", Tag::Namespace },
    { u"kind", Tag::Kind },
    { u"locale", Tag::Locale },
    { u"association", Tag::Association },
    { u"roleGroup", Tag::RoleGroup },
    { u"conceptDef", Tag::ConceptDef },
    { u"definingConcepts", Tag::DefiningConcepts },
    { u"primitive", Tag::Primitive },
    { u"all", Tag::All },
    { u"poss", Tag::Poss },
    { u"conceptInf", Tag::ConceptInf },
    { u"namespaceDef", Tag::NamespaceDef },
    { u"kindDef", Tag::KindDef },
    { u"roleDef", Tag::RoleDef },
    { u"propertyDef", Tag::PropertyDef },
    { u"associationDef", Tag::AssociationDef },
    { u"qualifierDef", Tag::QualifierDef },
    { u"localized", Tag::Localized },
    { u"containsIndex", Tag::ContainsIndex },
    { u"displayable", Tag::Displayable },
    { u"domain", Tag::Domain },
    { u"range", Tag::Range },
    { u"rightId", Tag::RightId },
    { u"parentRole", Tag::ParentRole },
    { u"inverseName", Tag::InverseName },
    { u"pickListItem", Tag::PickListItem },
};

// A small open-addressing table of kTagNames keyed by the length and the
// first and last letters: one or two probes, one comparison.
constexpr std::size_t kSlots = 128; // a power of two, over three times the names

std::size_t slotOf(std::size_t length, char16_t first, char16_t last)
{
    return (length * 31 + first * 7 + last) & (kSlots - 1);
}

std::array<const TagName*, kSlots> makeSlots()
{
    std::array<const TagName*, kSlots> slots {};
    for (const TagName& entry : kTagNames) {
        std::size_t slot = slotOf(entry.name.size(), entry.name.front(), entry.name.back());
        while (slots[slot] != nullptr)
            slot = (slot + 1) & (kSlots - 1);
        slots[slot] = &entry;
    }
    return slots;
}

const std::array<const TagName*, kSlots> kSlotTable = makeSlots();

} // namespace

// ---------------------------------------------------------------------------
// Element names

Tag tagOf(const char16_t* elementName)
{
    if (elementName == nullptr || elementName[0] == 0)
        return Tag::Other;
    std::size_t length = 1;
    while (elementName[length] != 0)
        ++length;
    for (std::size_t slot = slotOf(length, elementName[0], elementName[length - 1]);
         kSlotTable[slot] != nullptr; slot = (slot + 1) & (kSlots - 1)) {
        const std::u16string_view name = kSlotTable[slot]->name;
        if (name.size() != length)
            continue;
        std::size_t i = 0;
        while (i < length && name[i] == elementName[i])
            ++i;
        if (i == length)
            return kSlotTable[slot]->tag;
    }
    return Tag::Other;
}

std::int32_t convertId(const std::string& text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    // White space as isspace sees it in the C locale.
    while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value >= limit) {
            value = limit; // saturate; further digits cannot bring it back
            break;
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

// ---------------------------------------------------------------------------
// Events

void OntylogGrammar::startElement(Tag tag, std::string& attribute)
{
    // One test on the way of every start tag when no lines are asked for.
    if (lineSource != nullptr)
        noteLine(tag);
    elementStack.push_back(tag);
    if (elementText.size() < elementStack.size())
        elementText.emplace_back();
    else
        elementText[elementStack.size() - 1].clear();
    openElement(tag, attribute);
}

void OntylogGrammar::endElement()
{
    // Tags pair, so the innermost open element is the one that ends.
    if (elementStack.empty())
        return;
    Tag tag = elementStack.back();
    std::string& text = elementText[elementStack.size() - 1];
    if (!text.empty())
        deliverText(tag, text);
    elementStack.pop_back();
    closeElement(tag);
}

void OntylogGrammar::noteLine(Tag tag)
{
    switch (tag) {
    case Tag::ConceptDef:
    case Tag::ConceptInf:
    case Tag::NamespaceDef:
    case Tag::KindDef:
    case Tag::RoleDef:
    case Tag::PropertyDef:
    case Tag::AssociationDef:
    case Tag::QualifierDef:
        add(LineStep { lineSource->currentLine() });
        break;
    default:
        break;
    }
}

void OntylogGrammar::fatalError(std::string_view message, std::uint64_t line)
{
    add(FatalErrorStep { batch.add(message), line });
}

void OntylogGrammar::add(const Step& step)
{
    batch.steps.push_back(step);
    if (batch.steps.size() >= kStepsPerBatch || batch.text.size() >= kBytesPerBatch)
        sink.ship(batch);
}

void OntylogGrammar::flush()
{
    if (!batch.empty())
        sink.ship(batch);
}

TextList OntylogGrammar::keep(const Texts& list)
{
    TextList kept { batch.items.size(), 0 };
    for (std::size_t i = 0; i < list.size; ++i)
        batch.items.push_back(batch.add(list.items[i]));
    kept.end = batch.items.size();
    return kept;
}

void OntylogGrammar::popBlock()
{
    // Tags pair, so every pop has its push; the test only guards against
    // events that a parser would never send.
    if (!blockStack.empty())
        blockStack.pop_back();
}

// ---------------------------------------------------------------------------
// Start tags: what each element does when it opens

void OntylogGrammar::openElement(Tag tag, std::string& attribute)
{
    switch (tag) {
    case Tag::ConceptDef:
    case Tag::ConceptInf:
        ++openConcepts;
        initConDef();
        blockStack.push_back(Tag::ConceptDef);
        break;
    case Tag::DefiningConcepts:
    case Tag::Role:
    case Tag::Property:
    case Tag::Association:
    case Tag::Qualifier:
        blockStack.push_back(tag);
        break;
    case Tag::RoleGroup:
        inRoleGroup = true;
        if (roleGroupCount < INT32_MAX)
            ++roleGroupCount;
        break;
    case Tag::AssociationDef:
        initAssocDef();
        break;
    case Tag::PropertyDef:
        initPropertyDef();
        break;
    case Tag::RoleDef:
        initRoleDef();
        break;
    case Tag::NamespaceDef:
        initNamespaceDef();
        break;
    case Tag::KindDef:
        initKindDef(attribute);
        break;
    case Tag::QualifierDef:
        initQualifierDef(attribute);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Text: the context of the open definition or concept decides where the
// text of an element goes; an element that context does not name drops its
// text. A field that takes the text swaps buffers with it instead of
// copying; the element's buffer then holds an old value that is overwritten
// next time.

void OntylogGrammar::deliverText(Tag tag, std::string& text)
{
    if (openDef == Tag::ConceptDef)
        deliverConceptText(tag, text);
    else if (openDef != Tag::Other)
        deliverDefinitionText(tag, text);
}

void OntylogGrammar::deliverConceptText(Tag tag, std::string& text)
{
    switch (topBlock()) {
    case Tag::ConceptDef:
        switch (tag) {
        case Tag::Name:
            curConceptName.swap(text);
            break;
        case Tag::Code:
            curCode.swap(text);
            break;
        case Tag::Id:
            curId = convertId(text);
            break;
        case Tag::Namespace:
            curNamespace.swap(text);
            break;
        case Tag::Kind:
            curKind.swap(text);
            break;
        default:
            break;
        }
        break;
    case Tag::DefiningConcepts:
        if (tag == Tag::Concept)
            curParents.push(text);
        break;
    case Tag::Property:
        if (tag == Tag::Name)
            curName.swap(text);
        else if (tag == Tag::Value)
            curValue.swap(text);
        else if (tag == Tag::Locale)
            curLocale.swap(text);
        break;
    case Tag::Role:
    case Tag::Association:
        if (tag == Tag::Name)
            curName.swap(text);
        else if (tag == Tag::Value)
            curValue.swap(text);
        break;
    case Tag::Qualifier:
        if (tag == Tag::Name)
            curQualName.swap(text);
        else if (tag == Tag::Value)
            curQualValue.swap(text);
        break;
    default:
        break;
    }
}

void OntylogGrammar::deliverDefinitionText(Tag tag, std::string& text)
{
    // What every definition reads; a namespace definition has no namespace
    // of its own.
    switch (tag) {
    case Tag::Name:
        curName.swap(text);
        return;
    case Tag::Code:
        curCode.swap(text);
        return;
    case Tag::Id:
        curId = convertId(text);
        return;
    case Tag::Namespace:
        if (openDef != Tag::NamespaceDef)
            curNamespace.swap(text);
        return;
    default:
        break;
    }
    // What one kind of definition reads besides.
    switch (openDef) {
    case Tag::AssociationDef:
        if (tag == Tag::InverseName)
            curInverseName.swap(text);
        break;
    case Tag::PropertyDef:
        if (tag == Tag::Range)
            curRange.swap(text);
        else if (tag == Tag::PickListItem)
            curPickList.push(text);
        break;
    case Tag::QualifierDef:
        if (tag == Tag::PickListItem)
            curPickList.push(text);
        break;
    case Tag::RoleDef:
        if (tag == Tag::Domain)
            curKind.swap(text);
        else if (tag == Tag::Range)
            curRange.swap(text);
        else if (tag == Tag::RightId)
            curRightId.swap(text);
        else if (tag == Tag::ParentRole)
            curParentRole.swap(text);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// End tags: what each element does when it closes

void OntylogGrammar::closeDefinition(Tag tag)
{
    if (openDef == tag)
        openDef = Tag::Other;
}

void OntylogGrammar::closeElement(Tag tag)
{
    switch (tag) {
    case Tag::ConceptDef:
    case Tag::ConceptInf:
        constructConDef();
        --openConcepts;
        popBlock();
        closeDefinition(Tag::ConceptDef);
        break;
    case Tag::DefiningConcepts:
        popBlock();
        break;
    case Tag::Some:
    case Tag::All:
    case Tag::Poss:
        if (openDef == Tag::ConceptDef && topBlock() == Tag::Role)
            curModifier = tag == Tag::Some ? kSome : tag == Tag::All ? kAll : kPoss;
        break;
    case Tag::Role:
        endRole();
        break;
    case Tag::RoleGroup:
        inRoleGroup = false; // the count stays: the next group takes the next number
        break;
    case Tag::Property:
        endProperty();
        break;
    case Tag::Association:
        endAssociation();
        break;
    case Tag::Qualifier:
        endQualifier();
        break;
    default:
        closeDefinitionElement(tag);
        break;
    }
}

void OntylogGrammar::closeDefinitionElement(Tag tag)
{
    switch (tag) {
    case Tag::AssociationDef:
        constructAssociationDef();
        closeDefinition(tag);
        break;
    case Tag::PropertyDef:
        constructPropertyDef();
        closeDefinition(tag);
        break;
    case Tag::RoleDef:
        constructRoleDef();
        closeDefinition(tag);
        break;
    case Tag::QualifierDef:
        constructQualifierDef();
        closeDefinition(tag);
        break;
    case Tag::KindDef:
        constructKindDef();
        closeDefinition(tag);
        break;
    case Tag::NamespaceDef:
        constructNamespaceDef();
        closeDefinition(tag);
        break;
    // Flag elements act by the definition most recently started, even after
    // it ended; the next init operation resets the flag again.
    case Tag::ContainsIndex:
        if (currentDef == Tag::PropertyDef)
            curContainsIndex = true;
        break;
    case Tag::Localized:
        if (currentDef == Tag::PropertyDef)
            curLocalized = true;
        break;
    case Tag::Displayable:
        if (currentDef == Tag::AssociationDef)
            curDisplayable = true;
        break;
    case Tag::Primitive:
        if (currentDef == Tag::ConceptDef)
            curDefined = false;
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Init operations: a definition never inherits values from the one before

void OntylogGrammar::initDefinition(Tag tag, std::int32_t id)
{
    currentDef = tag;
    openDef = tag;
    curName.clear();
    curCode.clear();
    curId = id;
}

void OntylogGrammar::initNamespaceDef()
{
    initDefinition(Tag::NamespaceDef, 0);
}

void OntylogGrammar::initKindDef(std::string& reference)
{
    initDefinition(Tag::KindDef, 0);
    curNamespace.clear();
    curReference = reference != kFalse;
}

void OntylogGrammar::initRoleDef()
{
    initDefinition(Tag::RoleDef, 0);
    curNamespace.clear();
    curKind.clear();
    curRange.clear();
    curRightId.clear();
    curParentRole.clear();
}

void OntylogGrammar::initPropertyDef()
{
    initDefinition(Tag::PropertyDef, -1);
    curNamespace.clear();
    curRange.clear();
    curLocalized = false;
    curContainsIndex = false;
    curPickList.clear();
}

void OntylogGrammar::initQualifierDef(std::string& type)
{
    initDefinition(Tag::QualifierDef, -1);
    curNamespace.clear();
    curQualifierType.swap(type);
    curPickList.clear();
}

void OntylogGrammar::initAssocDef()
{
    initDefinition(Tag::AssociationDef, -1);
    curNamespace.clear();
    curInverseName.clear();
    curDisplayable = false;
}

void OntylogGrammar::initConDef()
{
    currentDef = Tag::ConceptDef;
    openDef = Tag::ConceptDef;
    curConceptName.clear();
    curName.clear();
    curValue.clear();
    curQualName.clear();
    curQualValue.clear();
    curModifier.clear();
    curLocale.clear();
    curCode.clear();
    curKind.clear();
    curNamespace.clear();
    curId = -1;
    inRoleGroup = false;
    curParents.clear();
    curDefined = true;
    roleGroupCount = 0;
    // The roles, properties, associations and qualifiers collected so far
    // are dropped where they are kept.
    add(ConceptStartStep {});
}

// ---------------------------------------------------------------------------
// Construct operations: each makes the step of its end tag

void OntylogGrammar::constructNamespaceDef()
{
    add(NamespaceDefStep { keep(curName), keep(curCode), curId });
}

void OntylogGrammar::constructKindDef()
{
    add(KindDefStep { keep(curName), keep(curCode), keep(curNamespace), curId, curReference });
}

void OntylogGrammar::constructRoleDef()
{
    add(RoleDefStep { keep(curName), keep(curCode), keep(curNamespace), keep(curKind),
        keep(curRange), keep(curRightId), keep(curParentRole), curId });
}

void OntylogGrammar::constructPropertyDef()
{
    add(PropertyDefStep { keep(curName), keep(curCode), keep(curNamespace), keep(curRange), curId,
        curLocalized, curContainsIndex, keep(curPickList) });
    curPickList.clear();
}

void OntylogGrammar::constructAssociationDef()
{
    add(AssociationDefStep { keep(curName), keep(curCode), keep(curNamespace), keep(curInverseName),
        curId, curDisplayable });
}

void OntylogGrammar::constructQualifierDef()
{
    add(QualifierDefStep { keep(curName), keep(curCode), keep(curNamespace), keep(curQualifierType),
        curId, keep(curPickList) });
    curPickList.clear();
}

void OntylogGrammar::constructConDef()
{
    // With an enclosing concept element open, its end reads the same lists
    // again; otherwise the next concept empties them first.
    add(ConceptStep { keep(curConceptName), keep(curCode), keep(curNamespace), keep(curKind), curId,
        curDefined, openConcepts == 1, keep(curParents) });
}

void OntylogGrammar::endRole()
{
    popBlock();
    // Role group 0: in no group.
    add(RoleStep {
        keep(curName), keep(curValue), keep(curModifier), inRoleGroup ? roleGroupCount : 0 });
    curModifier.clear();
    curValue.clear();
    curName.clear();
}

void OntylogGrammar::endProperty()
{
    popBlock();
    add(PropertyStep { keep(curName), keep(curValue), keep(curLocale) });
    curLocale.clear();
    curValue.clear();
    curName.clear();
}

void OntylogGrammar::endAssociation()
{
    popBlock();
    add(AssociationStep { keep(curName), keep(curValue) });
    curValue.clear();
    curName.clear();
}

void OntylogGrammar::endQualifier()
{
    popBlock();
    add(QualifierStep { keep(curQualName), keep(curQualValue) });
    curQualValue.clear();
    curQualName.clear();
}

} // namespace ontylog
