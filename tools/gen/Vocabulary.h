#ifndef QUELT_TOOLS_GEN_VOCABULARY_H
#define QUELT_TOOLS_GEN_VOCABULARY_H

// What the generated terminology is made of: its definitions and the words
// of its concepts. Texts are stored XML-escaped, exactly as they are
// written.

#include <cstdint>
#include <string>
#include <vector>

namespace gen {

extern const char kNamespace[];

struct Kind {
    const char* name;
    const char* reference;
    const char* root;
};
constexpr std::uint32_t kNumKinds = 6;
extern const Kind kKinds[kNumKinds];
enum : std::uint32_t { Anatomy, Disease, Drug, Gene, Organism, Procedure };

// Concept names are "<modifier> <site> <head>": 32 x 64 x 32 = 65536 names per
// kind, the heads differing between kinds. Past that a " Type <n>" suffix
// keeps names unique.
extern const char* const kModifiers[32]; // 5 bits of the name index
extern const char* const kSites[64]; // 6 bits
extern const char* const kHeads[kNumKinds][32]; // 5 bits

// The names of the concepts by index: the roots first, then kind i % 6.
// The index within its kind maps onto the 2^16 word combinations by a
// bijection that differs from seed to seed.
class ConceptNaming {
public:
    explicit ConceptNaming(std::uint64_t seed);
    // The name of concept i, as written (escaped).
    void name(std::uint64_t i, std::string& to) const;

private:
    static constexpr std::uint64_t kNameBits = 16;
    static constexpr std::uint64_t kNameMask = (std::uint64_t(1) << kNameBits) - 1;
    std::uint64_t multiplier, offset;
};

struct RoleDef {
    const char* name;
    std::uint32_t domain;
    std::uint32_t range;
    const char* parent; // empty: none
    bool rightId;
};
constexpr std::uint32_t kNumRoles = 33;
extern const RoleDef kRoles[kNumRoles];
// The roles of a domain, by their index in kRoles.
const std::vector<std::uint32_t>& rolesOfDomain(std::uint32_t kind);

struct PropertyDef {
    const char* name;
    const char* range;
    bool localized;
    bool containsIndex;
    std::vector<const char*> pickList;
};
extern const PropertyDef kProperties[16];
// The index of Semantic_Type in kProperties.
constexpr std::uint32_t kSemanticType = 6;
// The index of Concept_Status, which the older version never uses.
constexpr std::uint32_t kConceptStatus = 9;

extern const char* const kSources[8];

struct QualifierDef {
    const char* name;
    const char* type;
    std::vector<const char*> pickList;
};
extern const QualifierDef kQualifiers[7];

struct AssociationDef {
    const char* name;
    const char* inverse;
    bool displayable;
};
extern const AssociationDef kAssociations[5];

extern const char* const kDefinitionWords[122];
extern const char* const kFrenchTerms[12];
extern const char* const kJapaneseTerms[8];
extern const char* const kGreekTerms[4];

// Ids of the definitions; concepts take theirs from kConceptIdBase on.
constexpr std::uint64_t kConceptIdBase = 1000;

} // namespace gen

#endif
