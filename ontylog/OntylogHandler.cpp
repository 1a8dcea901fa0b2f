#include "ontylog/OntylogHandler.h"

#include "ontylog/OntylogBuilder.h"

#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUTF8Transcoder.hpp>

#include <array>
#include <iostream>
#include <string_view>
#include <utility>

using xercesc::Attributes;
using xercesc::SAXParseException;
using xercesc::XMLPlatformUtils;
using xercesc::XMLString;
using xercesc::XMLTranscoder;
using xercesc::XMLTransService;

namespace {

// Block size hint for the transcoder; our calls convert whole texts at once.
const XMLSize_t kTranscoderBlockSize = 16 * 1024;

// A batch is sent when it holds this many steps or this many bytes of text,
// whichever comes first: large enough that handing it over costs little,
// small enough that the batches on their way take little memory.
const std::size_t kStepsPerBatch = 8192;
const std::size_t kBytesPerBatch = 2 * 1024 * 1024;

const std::string kFalse = "false";
const std::string kSome = "some";
const std::string kAll = "all";
const std::string kPoss = "poss";

} // namespace

// ---------------------------------------------------------------------------
// Life cycle

OntylogHandler::OntylogHandler(QueltKb& kb)
    : OntylogHandler(nullptr, &kb)
{
}

OntylogHandler::OntylogHandler(StepSink& stepSink)
    : OntylogHandler(&stepSink, nullptr)
{
}

OntylogHandler::OntylogHandler(StepSink* stepSink, QueltKb* kb)
    : builder(kb != nullptr ? std::make_unique<OntylogBuilder>(*kb) : nullptr)
    , sink(stepSink)
{
    XMLTransService::Codes result = XMLTransService::Ok;
    utf8 = XMLPlatformUtils::fgTransService->makeNewTranscoderFor(
        "UTF-8", result, kTranscoderBlockSize);
    // UTF-8 is built into the library, so the service always has it; should
    // a service ever decline, the library's own UTF-8 transcoder is made
    // directly.
    if (utf8 == nullptr)
        utf8 = new xercesc::XMLUTF8Transcoder(u"UTF-8", kTranscoderBlockSize);
}

OntylogHandler::~OntylogHandler()
{
    delete utf8;
}

// ---------------------------------------------------------------------------
// Boundary: parser events in, UTF-8 text out

void OntylogHandler::toUtf8(const XMLCh* text, XMLSize_t length, std::string& out)
{
    out.clear();
    appendUtf8(text, length, out);
}

void OntylogHandler::appendUtf8(const XMLCh* text, XMLSize_t length, std::string& out)
{
    // ASCII reads the same in UTF-8: copied as it is, up to the first other
    // character. Element names, codes and most values end here. Whole runs
    // of 16 units are tested and narrowed at once, which the compiler turns
    // into vector instructions; the rest goes unit by unit.
    const std::size_t start = out.size();
    out.resize(start + length);
    char* bytes8 = &out[start];
    XMLSize_t ascii = 0;
    const XMLSize_t kRun = 16;
    while (ascii + kRun <= length) {
        XMLCh bits = 0;
        for (XMLSize_t i = 0; i < kRun; ++i)
            bits |= text[ascii + i];
        if (bits >= 0x80)
            break;
        for (XMLSize_t i = 0; i < kRun; ++i)
            bytes8[ascii + i] = static_cast<char>(text[ascii + i]);
        ascii += kRun;
    }
    for (; ascii < length && text[ascii] < 0x80; ++ascii)
        bytes8[ascii] = static_cast<char>(text[ascii]);
    if (ascii == length)
        return;

    // The rest goes through the transcoder. One UTF-16 unit never needs
    // more than three bytes (a surrogate pair, two units, needs four), so
    // one call converts the whole rest.
    out.resize(start + ascii + (length - ascii) * 3);
    XMLByte* bytes = reinterpret_cast<XMLByte*>(&out[start]);
    XMLSize_t done = ascii;
    XMLSize_t written = ascii;
    while (done < length) {
        XMLSize_t eaten = 0;
        written += utf8->transcodeTo(text + done, length - done, bytes + written,
            out.size() - start - written, eaten, XMLTranscoder::UnRep_RepChar);
        // Nothing eaten: a leading surrogate without its partner at the end,
        // which the parser never delivers; there is nothing more to convert.
        if (eaten == 0)
            break;
        done += eaten;
    }
    out.resize(start + written);
}

void OntylogHandler::attributeValue(const Attributes& attrs, const XMLCh* name, std::string& out)
{
    const XMLCh* value = attrs.getValue(name);
    if (value == nullptr)
        out.clear(); // a missing attribute reads as the empty text
    else
        toUtf8(value, XMLString::stringLen(value), out);
}

void OntylogHandler::startElement(
    const XMLCh*, const XMLCh*, const XMLCh* qname, const Attributes& attrs)
{
    // With namespace processing off the local name is empty; the name as
    // written is the qualified name.
    Tag tag = tagOf(std::u16string_view(qname, XMLString::stringLen(qname)));

    elementStack.push_back(tag);
    heldSurrogate = 0;
    if (elementText.size() < elementStack.size())
        elementText.emplace_back();
    else
        elementText[elementStack.size() - 1].clear();

    openElement(tag);
    if (tag == Tag::KindDef) {
        attributeValue(attrs, u"reference", textBuffer);
        curReference = textBuffer != kFalse;
    } else if (tag == Tag::QualifierDef) {
        attributeValue(attrs, u"type", curQualifierType);
    }
}

void OntylogHandler::characters(const XMLCh* chars, XMLSize_t length)
{
    // Only elements that can carry a value collect their text; the white
    // space between the children of the other elements is never looked at.
    if (elementStack.empty() || elementStack.back() < Tag::Name || length == 0)
        return;
    // Converted as it comes. The parser may cut a text between the two units
    // of a surrogate pair: the leading one waits for the next piece.
    std::string& text = elementText[elementStack.size() - 1];
    if (heldSurrogate != 0) {
        if (chars[0] >= 0xDC00 && chars[0] <= 0xDFFF) {
            const XMLCh pair[2] = { heldSurrogate, chars[0] };
            appendUtf8(pair, 2, text);
            ++chars;
            --length;
        }
        heldSurrogate = 0;
    }
    if (length > 0 && chars[length - 1] >= 0xD800 && chars[length - 1] <= 0xDBFF) {
        heldSurrogate = chars[length - 1];
        --length;
    }
    appendUtf8(chars, length, text);
}

void OntylogHandler::endElement(const XMLCh*, const XMLCh*, const XMLCh*)
{
    // The parser pairs the tags, so the innermost open element is the one
    // that ends; its name need not be converted again.
    if (elementStack.empty())
        return;
    Tag tag = elementStack.back();
    // A leading surrogate without its partner is not a character: dropped.
    heldSurrogate = 0;
    std::string& text = elementText[elementStack.size() - 1];
    if (!text.empty())
        deliverText(tag, text);
    elementStack.pop_back();
    closeElement(tag);
}

void OntylogHandler::fatalError(const SAXParseException& exc)
{
    fatalErrorSeen = true;
    fatalErrorLine = exc.getLineNumber();
    ontylog::Step& step = newStep(ontylog::StepKind::FatalError);
    step.text[0] = batch.add(messageText(exc.getMessage()));
    step.line = fatalErrorLine;
    stepDone();
}

// ---------------------------------------------------------------------------
// Steps

ontylog::Step& OntylogHandler::newStep(ontylog::StepKind kind)
{
    batch.steps.emplace_back();
    ontylog::Step& step = batch.steps.back();
    step.kind = kind;
    return step;
}

void OntylogHandler::keepList(ontylog::Step& step, const TextList& list)
{
    step.listBegin = batch.items.size();
    for (std::size_t i = 0; i < list.size; ++i)
        batch.items.push_back(batch.add(list.items[i]));
    step.listEnd = batch.items.size();
}

void OntylogHandler::stepDone()
{
    if (builder) {
        builder->apply(batch);
        batch.clear();
    } else if (batch.steps.size() >= kStepsPerBatch || batch.text.size() >= kBytesPerBatch) {
        sink->ship(batch);
    }
}

void OntylogHandler::flush()
{
    if (sink != nullptr && !batch.empty())
        sink->ship(batch);
}

std::string OntylogHandler::messageText(const XMLCh* message)
{
    std::string out;
    if (message == nullptr)
        return out;
    for (const XMLCh* p = message; *p != 0; ++p) {
        uint32_t c = *p;
        if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a surrogate without its partner
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Plain C++ from here on: the tables of the format

int32_t OntylogHandler::convertId(const std::string& text)
{
    size_t i = 0;
    const size_t n = text.size();
    // White space as isspace sees it in the C locale.
    while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value >= limit) {
            value = limit; // saturate; further digits cannot bring it back
            break;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

OntylogHandler::Tag OntylogHandler::tagOf(std::u16string_view elementName)
{
    // The names are looked up as the parser gives them, in UTF-16, with no
    // conversion, in a small open-addressing table keyed by the length and
    // the first and last letters: one or two probes, one comparison.
    struct TagName {
        std::u16string_view name;
        Tag tag;
    };
    static const TagName tags[] = {
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
    constexpr std::size_t kSlots = 128; // a power of two, over three times the names
    auto slotOf = [](std::u16string_view name) {
        std::size_t key = name.size() * 31 + name.front() * 7 + name.back();
        return key & (kSlots - 1);
    };
    static const std::array<const TagName*, kSlots> slots = [&] {
        std::array<const TagName*, kSlots> table {};
        for (const TagName& entry : tags) {
            std::size_t slot = slotOf(entry.name);
            while (table[slot] != nullptr)
                slot = (slot + 1) & (kSlots - 1);
            table[slot] = &entry;
        }
        return table;
    }();

    if (elementName.empty())
        return Tag::Other;
    for (std::size_t slot = slotOf(elementName); slots[slot] != nullptr;
         slot = (slot + 1) & (kSlots - 1)) {
        if (slots[slot]->name == elementName)
            return slots[slot]->tag;
    }
    return Tag::Other;
}

void OntylogHandler::popBlock()
{
    // Tags pair, so every pop has its push; the test only guards against
    // events that a parser would never send.
    if (!blockStack.empty())
        blockStack.pop_back();
}

// Start tags: what each element does when it opens.
void OntylogHandler::openElement(Tag tag)
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
        initKindDef(); // the "reference" attribute is read by startElement
        break;
    case Tag::QualifierDef:
        initQualifierDef(); // the "type" attribute is read by startElement
        break;
    default:
        break;
    }
}

// Text: the first context that holds
// decides; an element it does not name drops its text. A field that takes
// the text swaps buffers with it instead of copying; the caller's buffer
// then holds an old value it overwrites next time.
void OntylogHandler::deliverText(Tag tag, std::string& text)
{
    if (inConceptDef) {
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
            return;
        case Tag::DefiningConcepts:
            if (tag == Tag::Concept)
                curParents.push(text);
            return;
        case Tag::Property:
            if (tag == Tag::Name)
                curName.swap(text);
            else if (tag == Tag::Value)
                curValue.swap(text);
            else if (tag == Tag::Locale)
                curLocale.swap(text);
            return;
        case Tag::Role:
        case Tag::Association:
            if (tag == Tag::Name)
                curName.swap(text);
            else if (tag == Tag::Value)
                curValue.swap(text);
            return;
        case Tag::Qualifier:
            if (tag == Tag::Name)
                curQualName.swap(text);
            else if (tag == Tag::Value)
                curQualValue.swap(text);
            return;
        default:
            break;
        }
    }

    // The fields every definition reads; a namespace definition has no
    // namespace of its own.
    auto common = [&](bool hasNamespace) {
        switch (tag) {
        case Tag::Name:
            curName.swap(text);
            break;
        case Tag::Code:
            curCode.swap(text);
            break;
        case Tag::Id:
            curId = convertId(text);
            break;
        case Tag::Namespace:
            if (hasNamespace)
                curNamespace.swap(text);
            break;
        default:
            break;
        }
    };

    if (inAssocDef) {
        if (tag == Tag::InverseName)
            curInverseName.swap(text);
        else
            common(true);
    } else if (inPropertyDef) {
        if (tag == Tag::Range)
            curRange.swap(text);
        else if (tag == Tag::PickListItem)
            curPickList.push(text);
        else
            common(true);
    } else if (inQualifierDef) {
        if (tag == Tag::PickListItem)
            curPickList.push(text);
        else
            common(true);
    } else if (inRoleDef) {
        if (tag == Tag::Domain)
            curKind.swap(text);
        else if (tag == Tag::Range)
            curRange.swap(text);
        else if (tag == Tag::RightId)
            curRightId.swap(text);
        else if (tag == Tag::ParentRole)
            curParentRole.swap(text);
        else
            common(true);
    } else if (inKindDef) {
        common(true);
    } else if (inNamespaceDef) {
        common(false);
    }
}

// End tags: what each element does when it closes.
void OntylogHandler::closeElement(Tag tag)
{
    switch (tag) {
    case Tag::ConceptDef:
    case Tag::ConceptInf:
        constructConDef();
        --openConcepts;
        popBlock();
        inConceptDef = false;
        break;
    case Tag::DefiningConcepts:
        popBlock();
        break;
    case Tag::Some:
    case Tag::All:
    case Tag::Poss:
        if (inConceptDef && topBlock() == Tag::Role)
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
    case Tag::AssociationDef:
        constructAssociationDef();
        inAssocDef = false;
        break;
    case Tag::PropertyDef:
        constructPropertyDef();
        inPropertyDef = false;
        break;
    case Tag::RoleDef:
        constructRoleDef();
        inRoleDef = false;
        break;
    case Tag::QualifierDef:
        constructQualifierDef();
        inQualifierDef = false;
        break;
    case Tag::KindDef:
        constructKindDef();
        inKindDef = false;
        break;
    case Tag::NamespaceDef:
        constructNamespaceDef();
        inNamespaceDef = false;
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

void OntylogHandler::initNamespaceDef()
{
    currentDef = Tag::NamespaceDef;
    inNamespaceDef = true;
    curName.clear();
    curCode.clear();
    curId = 0;
}

void OntylogHandler::initKindDef()
{
    currentDef = Tag::KindDef;
    inKindDef = true;
    curName.clear();
    curCode.clear();
    curNamespace.clear();
    curId = 0;
    curReference = false;
}

void OntylogHandler::initRoleDef()
{
    currentDef = Tag::RoleDef;
    inRoleDef = true;
    curName.clear();
    curCode.clear();
    curNamespace.clear();
    curKind.clear();
    curRange.clear();
    curRightId.clear();
    curParentRole.clear();
    curId = 0;
}

void OntylogHandler::initPropertyDef()
{
    currentDef = Tag::PropertyDef;
    inPropertyDef = true;
    curName.clear();
    curCode.clear();
    curNamespace.clear();
    curRange.clear();
    curId = -1;
    curLocalized = false;
    curContainsIndex = false;
    curPickList.clear();
}

void OntylogHandler::initQualifierDef()
{
    currentDef = Tag::QualifierDef;
    inQualifierDef = true;
    curName.clear();
    curCode.clear();
    curNamespace.clear();
    curQualifierType.clear();
    curId = -1;
    curPickList.clear();
}

void OntylogHandler::initAssocDef()
{
    currentDef = Tag::AssociationDef;
    inAssocDef = true;
    curName.clear();
    curCode.clear();
    curNamespace.clear();
    curInverseName.clear();
    curId = -1;
    curDisplayable = false;
}

void OntylogHandler::initConDef()
{
    currentDef = Tag::ConceptDef;
    inConceptDef = true;
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
    newStep(ontylog::StepKind::ConceptStart);
    stepDone();
}

// ---------------------------------------------------------------------------
// Construct operations: each makes the step of its end tag

// The step of a definition other than a namespace, with what they all have:
// name, code and namespace as texts 0 to 2, and the id.
ontylog::Step& OntylogHandler::newDefinitionStep(ontylog::StepKind kind)
{
    ontylog::Step& step = newStep(kind);
    step.text[0] = keep(curName);
    step.text[1] = keep(curCode);
    step.text[2] = keep(curNamespace);
    step.number = curId;
    return step;
}

void OntylogHandler::constructNamespaceDef()
{
    ontylog::Step& step = newStep(ontylog::StepKind::Namespace);
    step.text[0] = keep(curName);
    step.text[1] = keep(curCode);
    step.number = curId;
    stepDone();
}

void OntylogHandler::constructKindDef()
{
    ontylog::Step& step = newDefinitionStep(ontylog::StepKind::Kind);
    step.flag = curReference;
    stepDone();
}

void OntylogHandler::constructRoleDef()
{
    ontylog::Step& step = newDefinitionStep(ontylog::StepKind::RoleDef);
    step.text[3] = keep(curKind); // the domain
    step.text[4] = keep(curRange);
    step.text[5] = keep(curRightId);
    step.text[6] = keep(curParentRole);
    stepDone();
}

void OntylogHandler::constructPropertyDef()
{
    ontylog::Step& step = newDefinitionStep(ontylog::StepKind::PropertyDef);
    step.text[3] = keep(curRange);
    step.flag = curLocalized;
    step.flag2 = curContainsIndex;
    keepList(step, curPickList);
    curPickList.clear();
    stepDone();
}

void OntylogHandler::constructAssociationDef()
{
    ontylog::Step& step = newDefinitionStep(ontylog::StepKind::AssociationDef);
    step.text[3] = keep(curInverseName);
    step.flag = curDisplayable;
    stepDone();
}

void OntylogHandler::constructQualifierDef()
{
    ontylog::Step& step = newDefinitionStep(ontylog::StepKind::QualifierDef);
    step.text[3] = keep(curQualifierType);
    keepList(step, curPickList);
    curPickList.clear();
    stepDone();
}

void OntylogHandler::constructConDef()
{
    ontylog::Step& step = newStep(ontylog::StepKind::Concept);
    step.text[0] = keep(curConceptName);
    step.text[1] = keep(curCode);
    step.text[2] = keep(curNamespace);
    step.text[3] = keep(curKind);
    step.number = curId;
    step.flag = curDefined;
    // With an enclosing concept element open, its end reads the same lists
    // again; otherwise the next concept empties them first.
    step.flag2 = openConcepts == 1;
    keepList(step, curParents);
    stepDone();
}

void OntylogHandler::endRole()
{
    popBlock();
    ontylog::Step& step = newStep(ontylog::StepKind::Role);
    step.text[0] = keep(curName);
    step.text[1] = keep(curValue);
    step.text[2] = keep(curModifier);
    step.number = inRoleGroup ? roleGroupCount : 0; // role group 0: in no group
    curModifier.clear();
    curValue.clear();
    curName.clear();
    stepDone();
}

void OntylogHandler::endProperty()
{
    popBlock();
    ontylog::Step& step = newStep(ontylog::StepKind::Property);
    step.text[0] = keep(curName);
    step.text[1] = keep(curValue);
    step.text[2] = keep(curLocale);
    curLocale.clear();
    curValue.clear();
    curName.clear();
    stepDone();
}

void OntylogHandler::endAssociation()
{
    popBlock();
    ontylog::Step& step = newStep(ontylog::StepKind::Association);
    step.text[0] = keep(curName);
    step.text[1] = keep(curValue);
    curValue.clear();
    curName.clear();
    stepDone();
}

void OntylogHandler::endQualifier()
{
    popBlock();
    ontylog::Step& step = newStep(ontylog::StepKind::Qualifier);
    step.text[0] = keep(curQualName);
    step.text[1] = keep(curQualValue);
    curQualValue.clear();
    curQualName.clear();
    stepDone();
}
