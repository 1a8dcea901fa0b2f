// gen_ontylog: writes a synthetic Ontylog XML terminology for load tests.
//
//   gen_ontylog --concepts N --seed S [--out FILE]
//               [--faults RATE [--fault-kinds K1,K2,...] [--fault-log FILE]]
//
// The document has the shape and the proportions of a real terminology
// export: one namespace, six kinds with one root concept each, role,
// property, qualifier and association definitions, then N concepts whose
// parents, role targets and association targets all name earlier concepts.
// A concept takes about 1.8 KB of XML (200,000 concepts: about 360 MB).
//
// The output depends on the arguments only: the random numbers come from a
// splitmix64 generator of our own and every number is formatted by hand, so
// the same arguments give the same bytes with any compiler and library.
// Concepts are written one after the other through one large buffer; a
// concept's name is computed from its index, so earlier concepts can be
// referred to without keeping them, and memory use does not grow with N.
//
// With --faults the document also holds faults of the kinds that
// "queltKbTool check" reports, for testing the check against the converter
// (see Faults below); without it the output is exactly what it was before
// faults existed.
//
// Exit status: 0 success, 1 the output could not be written, 2 wrong usage.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Random numbers

class Rng {
public:
    explicit Rng(uint64_t seed)
        : state(seed)
    {
    }

    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number in [0, n); n > 0. The multiply-shift reduction is slightly
    // biased for large n, which does not matter here.
    uint32_t below(uint32_t n) { return static_cast<uint32_t>(((next() >> 32) * n) >> 32); }
    uint64_t below64(uint64_t n)
    {
        return n <= 0xFFFFFFFFull ? below(static_cast<uint32_t>(n)) : next() % n;
    }
    bool percent(uint32_t p) { return below(100) < p; }

private:
    uint64_t state;
};

uint64_t mix(uint64_t x)
{
    Rng r(x);
    return r.next();
}

// Picks an index by a table of weights.
template <size_t N> uint32_t weighted(Rng& rng, const uint32_t (&weights)[N])
{
    uint32_t total = 0;
    for (uint32_t w : weights)
        total += w;
    uint32_t x = rng.below(total);
    for (size_t i = 0; i < N; ++i) {
        if (x < weights[i])
            return static_cast<uint32_t>(i);
        x -= weights[i];
    }
    return static_cast<uint32_t>(N - 1);
}

template <typename T, size_t N> constexpr size_t countOf(const T (&)[N])
{
    return N;
}

template <size_t N> const char* pick(Rng& rng, const char* const (&list)[N])
{
    return list[rng.below(N)];
}

// ---------------------------------------------------------------------------
// Output

class Output {
public:
    explicit Output(FILE* givenFile)
        : file(givenFile)
        , buffer(kCapacity)
    {
    }

    void put(const char* text, size_t length)
    {
        if (length > kCapacity - used) {
            flush();
            if (length > kCapacity) {
                write(text, length);
                return;
            }
        }
        std::memcpy(buffer.data() + used, text, length);
        used += length;
    }
    void put(std::string_view text) { put(text.data(), text.size()); }
    void put(char c)
    {
        if (used == kCapacity)
            flush();
        buffer[used++] = c;
    }
    void number(uint64_t value)
    {
        char digits[24];
        size_t n = 0;
        do {
            digits[n++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        char text[24];
        for (size_t i = 0; i < n; ++i)
            text[i] = digits[n - 1 - i];
        put(text, n);
    }

    // <tag>text</tag>. The text is written as it is: callers pass texts that
    // are already escaped.
    void element(std::string_view tag, std::string_view text)
    {
        put('<');
        put(tag);
        put('>');
        put(text);
        put("</", 2);
        put(tag);
        put('>');
    }
    // <tag>prefix value</tag>, the number in decimal.
    void elementNumber(std::string_view tag, std::string_view prefix, uint64_t value)
    {
        put('<');
        put(tag);
        put('>');
        put(prefix);
        number(value);
        put("</", 2);
        put(tag);
        put('>');
    }
    // The same, each on a line of its own.
    void leaf(std::string_view tag, std::string_view text)
    {
        element(tag, text);
        put('\n');
    }
    void leafNumber(std::string_view tag, std::string_view prefix, uint64_t value)
    {
        elementNumber(tag, prefix, value);
        put('\n');
    }
    void line(std::string_view text)
    {
        put(text);
        put('\n');
    }

    void flush()
    {
        if (used != 0)
            write(buffer.data(), used);
        used = 0;
    }
    bool failed() const { return error; }

private:
    static constexpr size_t kCapacity = size_t(4) << 20;

    void write(const char* data, size_t length)
    {
        if (!error && std::fwrite(data, 1, length, file) != length)
            error = true;
    }

    FILE* file;
    std::vector<char> buffer;
    size_t used = 0;
    bool error = false;
};

// ---------------------------------------------------------------------------
// Vocabulary. Texts are stored XML-escaped, exactly as they are written.

const char kNamespace[] = "Medvex2";

struct Kind {
    const char* name;
    const char* reference;
    const char* root;
};

const Kind kKinds[] = {
    { "Anatomy_Kind", "true", "Anatomic Structure, System, or Substance" },
    { "Disease_Kind", "false", "Disease, Disorder or Finding" },
    { "Drug_Kind", "true", "Drug, Food, Chemical &amp; Biomedical Material" },
    { "Gene_Kind", "true", "Gene" },
    { "Organism_Kind", "false", "Organism" },
    { "Procedure_Kind", "false", "Activity or Procedure" },
};
constexpr uint32_t kNumKinds = countOf(kKinds);

// Concept names are "<modifier> <site> <head>": 32 x 64 x 32 = 65536 names per
// kind, the heads differing between kinds. Past that a " Type <n>" suffix
// keeps names unique.
const char* const kModifiers[] = {
    "Acute",
    "Chronic",
    "Recurrent",
    "Primary",
    "Secondary",
    "Congenital",
    "Hereditary",
    "Juvenile",
    "Adult",
    "Pediatric",
    "Familial",
    "Idiopathic",
    "Localized",
    "Diffuse",
    "Atypical",
    "Residual",
    "Persistent",
    "Transient",
    "Bilateral",
    "Left",
    "Right",
    "Proximal",
    "Distal",
    "Superficial",
    "Deep",
    "Central",
    "Peripheral",
    "Anterior",
    "Posterior",
    "Lateral",
    "Medial",
    "Accessory",
};
const char* const kSites[] = {
    "Hepatic",
    "Renal",
    "Pulmonary",
    "Gastric",
    "Colonic",
    "Rectal",
    "Esophageal",
    "Pancreatic",
    "Biliary",
    "Splenic",
    "Cardiac",
    "Aortic",
    "Venous",
    "Arterial",
    "Lymphatic",
    "Thymic",
    "Thyroid",
    "Adrenal",
    "Pituitary",
    "Ovarian",
    "Uterine",
    "Cervical",
    "Vaginal",
    "Vulvar",
    "Testicular",
    "Prostatic",
    "Urethral",
    "Vesical",
    "Cutaneous",
    "Dermal",
    "Mucosal",
    "Osseous",
    "Cartilaginous",
    "Muscular",
    "Tendinous",
    "Synovial",
    "Neural",
    "Cerebral",
    "Cerebellar",
    "Spinal",
    "Meningeal",
    "Retinal",
    "Corneal",
    "Orbital",
    "Nasal",
    "Oral",
    "Lingual",
    "Laryngeal",
    "Tracheal",
    "Bronchial",
    "Pleural",
    "Peritoneal",
    "Mammary",
    "Salivary",
    "Dental",
    "Gingival",
    "Palatal",
    "Pharyngeal",
    "Duodenal",
    "Jejunal",
    "Ileal",
    "Appendiceal",
    "Anal",
    "Perianal",
};
const char* const kHeads[kNumKinds][32] = {
    { "Vein", "Artery", "Nerve", "Lymph Node", "Gland", "Duct", "Muscle", "Ligament", "Tendon",
        "Membrane", "Epithelium", "Mucosa", "Submucosa", "Serosa", "Capsule", "Cortex", "Medulla",
        "Lobe", "Segment", "Wall", "Cavity", "Sinus", "Plexus", "Ganglion", "Fascia", "Bone",
        "Cartilage", "Tissue", "Cell", "Stroma", "Parenchyma", "Vasculature" },
    { "Carcinoma", "Adenocarcinoma", "Sarcoma", "Lymphoma", "Neoplasm", "Adenoma", "Cyst", "Polyp",
        "Hyperplasia", "Dysplasia", "Infection", "Inflammation", "Fibrosis", "Lesion", "Ulcer",
        "Stenosis", "Hemorrhage", "Infarction", "Abscess", "Aneurysm", "Thrombosis",
        "Insufficiency", "Failure", "Syndrome", "Malformation", "Atrophy", "Hypertrophy",
        "Necrosis", "Metaplasia", "Sjögren Syndrome", "Behçet Disease", "Ménière Disease" },
    { "Agent", "Inhibitor", "Antagonist", "Agonist", "Antibody", "Vaccine", "Conjugate",
        "Formulation", "Implant", "Solution", "Suspension", "Emulsion", "Tablet", "Injection",
        "Ointment", "Gel", "Patch", "Spray", "Powder", "Liposome", "Nanoparticle", "Peptide",
        "Enzyme", "Hormone", "Analog", "Prodrug", "Chelator", "α-Interferon", "β-Blocker",
        "γ-Globulin", "Radioconjugate", "Extract" },
    { "Gene", "Pseudogene", "Oncogene", "Receptor Gene", "Kinase Gene", "Transporter Gene",
        "Channel Gene", "Ligand Gene", "Factor Gene", "Protein Gene", "Antigen Gene", "Enzyme Gene",
        "Repressor Gene", "Promoter", "Enhancer", "Locus", "Allele", "Transcript", "Exon", "Intron",
        "Fusion Gene", "Tumor Suppressor Gene", "Homeobox Gene", "Zinc Finger Gene",
        "Microrna Gene", "Lncrna Gene", "Polymorphism", "Mutation", "Deletion", "Amplification",
        "Translocation", "TNF-α Gene" },
    { "Bacterium", "Virus", "Fungus", "Parasite", "Protozoan", "Helminth", "Yeast", "Mold",
        "Bacillus", "Coccus", "Spirochete", "Mycobacterium", "Retrovirus", "Adenovirus",
        "Herpesvirus", "Papillomavirus", "Poxvirus", "Flavivirus", "Coronavirus", "Rotavirus",
        "Nematode", "Trematode", "Cestode", "Amoeba", "Plasmodium", "Trypanosome", "Leishmania",
        "Mite", "Tick", "Louse", "Phage", "Prion" },
    { "Biopsy", "Resection", "Excision", "Ablation", "Transplantation", "Reconstruction",
        "Endoscopy", "Imaging", "Ultrasonography", "Radiography", "Tomography", "Scintigraphy",
        "Angiography", "Irradiation", "Brachytherapy", "Catheterization", "Drainage", "Aspiration",
        "Lavage", "Anastomosis", "Stent Placement", "Ligation", "Embolization", "Dissection",
        "Repair", "Fixation", "Implantation", "Injection Procedure", "Infusion", "Examination",
        "Assessment", "Monitoring" },
};
static_assert(countOf(kModifiers) == 32, "modifier list feeds 5 bits of the name index");
static_assert(countOf(kSites) == 64, "site list feeds 6 bits of the name index");

struct RoleDef {
    const char* name;
    uint32_t domain;
    uint32_t range;
    const char* parent; // empty: none
    bool rightId;
};

enum : uint32_t { Anatomy, Disease, Drug, Gene, Organism, Procedure };

const RoleDef kRoles[] = {
    { "Anatomic_Structure_Is_Physical_Part_Of", Anatomy, Anatomy, "", true },
    { "Anatomic_Structure_Has_Location", Anatomy, Anatomy, "", false },
    { "Anatomic_Structure_Is_Part_Of_System", Anatomy, Anatomy,
        "Anatomic_Structure_Is_Physical_Part_Of", false },
    { "Anatomy_Has_Cell_Type", Anatomy, Anatomy, "", false },
    { "Anatomy_Expresses_Gene", Anatomy, Gene, "", false },
    { "Disease_Has_Associated_Anatomic_Site", Disease, Anatomy, "", false },
    { "Disease_Has_Primary_Anatomic_Site", Disease, Anatomy, "Disease_Has_Associated_Anatomic_Site",
        false },
    { "Disease_Has_Metastatic_Anatomic_Site", Disease, Anatomy,
        "Disease_Has_Associated_Anatomic_Site", false },
    { "Disease_Has_Associated_Gene", Disease, Gene, "", false },
    { "Disease_Has_Abnormal_Cell", Disease, Anatomy, "", false },
    { "Disease_May_Have_Finding", Disease, Disease, "", false },
    { "Disease_Is_Caused_By", Disease, Organism, "", false },
    { "Disease_Excludes_Finding", Disease, Disease, "", false },
    { "Chemical_Or_Drug_Affects_Gene_Product", Drug, Gene, "", false },
    { "Chemical_Or_Drug_Is_Metabolized_By_Enzyme", Drug, Gene,
        "Chemical_Or_Drug_Affects_Gene_Product", false },
    { "Chemical_Or_Drug_Has_Target_Anatomy", Drug, Anatomy, "", false },
    { "Chemical_Or_Drug_Treats_Disease", Drug, Disease, "", false },
    { "Chemical_Or_Drug_Has_Active_Ingredient", Drug, Drug, "", true },
    { "Gene_Found_In_Organism", Gene, Organism, "", false },
    { "Gene_Product_Expressed_In_Tissue", Gene, Anatomy, "", false },
    { "Gene_Associated_With_Disease", Gene, Disease, "", false },
    { "Gene_Has_Physical_Location", Gene, Anatomy, "", false },
    { "Gene_Is_Element_In_Pathway", Gene, Gene, "", false },
    { "Organism_Has_Host", Organism, Organism, "", false },
    { "Organism_Causes_Disease", Organism, Disease, "", false },
    { "Organism_Colonizes_Site", Organism, Anatomy, "", false },
    { "Organism_Is_Susceptible_To", Organism, Drug, "", false },
    { "Procedure_Has_Target_Anatomy", Procedure, Anatomy, "", false },
    { "Procedure_Has_Excised_Anatomy", Procedure, Anatomy, "Procedure_Has_Target_Anatomy", false },
    { "Procedure_Has_Imaged_Anatomy", Procedure, Anatomy, "Procedure_Has_Target_Anatomy", false },
    { "Procedure_May_Have_Completely_Excised_Anatomy", Procedure, Anatomy,
        "Procedure_Has_Excised_Anatomy", false },
    { "Procedure_Uses_Drug", Procedure, Drug, "", false },
    { "Procedure_Treats_Disease", Procedure, Disease, "", false },
};
constexpr uint32_t kNumRoles = countOf(kRoles);

struct PropertyDef {
    const char* name;
    const char* range;
    bool localized;
    bool containsIndex;
    std::vector<const char*> pickList;
};

const PropertyDef kProperties[] = {
    { "RXK", "string", false, true, {} },
    { "Preferred_Name", "string", true, true, {} },
    { "FULL_SYN", "string", true, true, {} },
    { "DEFINITION", "long_string", true, false, {} },
    { "ALT_DEFINITION", "long_string", true, false, {} },
    { "CUI", "string", false, true, {} },
    { "Semantic_Type", "string", false, false,
        { "Neoplastic Process", "Disease or Syndrome", "Body Part, Organ, or Organ Component",
            "Pharmacologic Substance", "Gene or Genome", "Bacterium", "Virus",
            "Therapeutic or Preventive Procedure", "Diagnostic Procedure", "Cell", "Tissue",
            "Amino Acid, Peptide, or Protein", "Finding", "Fungus" } },
    { "Display_Name", "string", true, false, {} },
    { "Legacy_Concept_Name", "string", false, false, {} },
    { "Concept_Status", "string", false, false,
        { "Retired_Concept", "Obsolete_Concept", "Provisional_Concept", "Header_Concept" } },
    { "Contributing_Source", "string", false, false,
        { "MVQ", "ZXK", "KWOZL", "XOBQE", "VQZ", "YQZ-K", "QuxZVA", "ZJUQ" } },
    { "Use_For", "string", true, false, {} },
    { "Image_Link", "string", false, false, {} },
    { "Accepted_Therapeutic_Use_For", "string", true, false, {} },
    { "Chemical_Formula", "string", false, false, {} },
    { "Locus_ID", "string", false, true, {} },
};

struct QualifierDef {
    const char* name;
    const char* type;
    std::vector<const char*> pickList;
};

const char* const kSources[] = { "MVQ", "ZXK", "KWOZL", "XOBQE", "VQZ", "YQZ-K", "QuxZVA", "ZJUQ" };

const QualifierDef kQualifiers[] = {
    { "Syn_Term_Type", "CP", { "PT", "SY", "AB", "BR", "FB", "CN", "AQ", "HD" } },
    { "Syn_Source", "CP", {} },
    { "Syn_Source_Code", "CP", {} },
    { "Def_Source", "CP", {} },
    { "Assoc_Source", "CA", {} },
    { "Assoc_Note", "CA", {} },
    { "Role_Source", "CR", {} },
};

struct AssociationDef {
    const char* name;
    const char* inverse;
    bool displayable;
};

const AssociationDef kAssociations[] = {
    { "Concept_In_Subset", "Has_Subset_Member", true },
    { "Has_Salt_Form", "Is_Salt_Form_Of", true },
    { "Related_To_Genetic_Biomarker", "Genetic_Biomarker_Related_To", false },
    { "Replaced_By", "Replaces", true },
    { "Has_Component", "Is_Component_Of", false },
};

const char* const kDefinitionWords[] = {
    "a",
    "the",
    "of",
    "and",
    "or",
    "in",
    "with",
    "by",
    "that",
    "is",
    "are",
    "which",
    "from",
    "to",
    "for",
    "on",
    "as",
    "an",
    "this",
    "may",
    "be",
    "can",
    "often",
    "usually",
    "rarely",
    "tumor",
    "cells",
    "tissue",
    "patients",
    "disease",
    "process",
    "protein",
    "gene",
    "region",
    "expression",
    "activity",
    "response",
    "treatment",
    "therapy",
    "mechanism",
    "receptor",
    "pathway",
    "function",
    "structure",
    "lesion",
    "growth",
    "infection",
    "inflammation",
    "characterized",
    "composed",
    "associated",
    "located",
    "derived",
    "involving",
    "affecting",
    "presenting",
    "resulting",
    "containing",
    "originating",
    "arising",
    "surrounding",
    "malignant",
    "benign",
    "chronic",
    "acute",
    "progressive",
    "neoplastic",
    "epithelial",
    "vascular",
    "systemic",
    "clinical",
    "cellular",
    "molecular",
    "genetic",
    "metabolic",
    "abnormal",
    "atypical",
    "proliferation",
    "differentiation",
    "invasion",
    "metastasis",
    "inhibits",
    "binds",
    "regulates",
    "encodes",
    "increases",
    "decreases",
    "blocks",
    "induces",
    "antineoplastic",
    "immunomodulating",
    "cytotoxic",
    "monoclonal",
    "recombinant",
    "humanized",
    "synthetic",
    "oral",
    "intravenous",
    "administration",
    "dose",
    "levels",
    "concentration",
    "serum",
    "plasma",
    "membrane",
    "nucleus",
    "cytoplasm",
    "mitochondria",
    "β-cell",
    "α-helix",
    "café-au-lait",
    "naïve",
    "Sjögren",
    "Ménière",
    "10 µm",
    "5 µg/mL",
    "(&lt; 2 cm)",
    "levels &lt; 0.5",
    "signs &amp; symptoms",
    "R&amp;D",
    "±",
    "≥ 3 cm",
};
const char* const kFrenchTerms[] = {
    "tumeur maligne",
    "lésion bénigne",
    "infection aiguë",
    "maladie héréditaire",
    "inflammation chronique",
    "carcinome épidermoïde",
    "néoplasme primitif",
    "kyste séreux",
    "sténose congénitale",
    "hémorragie récidivante",
    "fibrose diffuse",
    "ulcère gastrique",
};
const char* const kJapaneseTerms[] = {
    "肝細胞癌",
    "慢性腎臓病",
    "肺腺癌",
    "胃潰瘍",
    "急性骨髄性白血病",
    "甲状腺機能低下症",
    "乳癌",
    "糖尿病",
};
const char* const kGreekTerms[] = {
    "καρκίνωμα",
    "φλεγμονή",
    "λοίμωξη",
    "νεόπλασμα",
};

// Ids of the definitions; concepts take theirs from kConceptIdBase on.
constexpr uint64_t kConceptIdBase = 1000;

// ---------------------------------------------------------------------------
// Faults
//
// Each kind is named as "queltKbTool check" names what it finds. The faults
// of concepts are drawn for every concept but the roots: each enabled kind
// with probability RATE, at most one per concept (so RATE times the number
// of enabled kinds must not exceed 1). A fault that breaks a concept never
// breaks what others say of it: a second concept of an existing name is
// an extra concept, and a fault that takes something of an earlier concept
// (its RXK value) takes it only from one without a fault. The faults of
// definitions are put in once each. Every decision comes from a random
// generator of its own, so the document is the one without faults except
// where a fault is. The log lists each fault put in as the check should
// report it: kind, subject and name, separated by tabs.

enum ConceptFault : uint32_t {
    MissingRxk,
    SharedRxk,
    UnknownParent,
    UnknownRoleTarget,
    UnknownAssociationTarget,
    UndefinedRole,
    UndefinedProperty,
    UndefinedAssociation,
    UndefinedQualifier,
    BadElementName,
    UncarriedCharacter,
    InvalidRxk,
    ExtraRoot,
    OwnParent,
    DuplicateName,
    PickListValue,
    kConceptFaults,
};

const char* const kConceptFaultKinds[] = {
    "missing-rxk",
    "shared-rxk",
    "unknown-parent",
    "unknown-role-target",
    "unknown-association-target",
    "undefined-role",
    "undefined-property",
    "undefined-association",
    "undefined-qualifier",
    "bad-element-name",
    "uncarried-character",
    "invalid-owl-name",
    "kind-with-several-roots",
    "parent-cycle",
    "duplicate-concept-name",
    "pick-list-value",
};
static_assert(countOf(kConceptFaultKinds) == kConceptFaults, "one kind name per concept fault");

// Faults of the definitions, put in once each.
const char* const kDefinitionFaultKinds[] = {
    "kind-without-root",
    "rootless-role-kind",
    "undefined-parent-role",
    "missing-role-code",
    "duplicate-definition-name",
};

// A property definition whose name cannot be an element name, for the
// bad-element-name faults.
const char kBadPropertyName[] = "Lab Value";

struct FaultOptions {
    double rate = 0;
    std::vector<std::string> kinds; // empty: all
    const char* logName = nullptr;

    bool enabled(std::string_view kind) const
    {
        return rate > 0
            && (kinds.empty() || std::find(kinds.begin(), kinds.end(), kind) != kinds.end());
    }
};

// ---------------------------------------------------------------------------
// The generator

class Generator {
public:
    Generator(Output& output, uint64_t concepts, uint64_t seed, const FaultOptions& faultOptions,
        FILE* faultLog)
        : out(output)
        , numConcepts(concepts)
        , rng(mix(seed ^ 0x6F6E74796C6F67ull))
        , faults(faultOptions)
        , log(faultLog)
        , faultRng(mix(seed ^ 0x6661756C7473ull))
    {
        for (uint32_t f = 0; f < kConceptFaults; ++f) {
            if (faults.enabled(kConceptFaultKinds[f]))
                conceptFaults.push_back(static_cast<ConceptFault>(f));
        }
        if (!conceptFaults.empty())
            faulted.assign(concepts, false);
        // Concept names: a bijection of the index within its kind onto the
        // 2^16 word combinations, different for every seed.
        nameMultiplier = (mix(seed + 1) | 1) & kNameMask;
        nameOffset = mix(seed + 2) & kNameMask;
        // RXK values: a bijection of the concept index onto [0, 2^bits).
        rxkBits = 17;
        while ((uint64_t(1) << rxkBits) < concepts)
            ++rxkBits;
        rxkMultiplier = mix(seed + 3) | 1;
        rxkOffset = mix(seed + 4);
        for (uint32_t r = 0; r < kNumRoles; ++r)
            rolesByDomain[kRoles[r].domain].push_back(r);
    }

    void run()
    {
        // Only XML 1.1 lets a document hold a control character, as a
        // character reference.
        if (has(UncarriedCharacter))
            out.line("<?xml version=\"1.1\" encoding=\"UTF-8\"?>");
        else
            out.line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        out.line("<!DOCTYPE terminology SYSTEM \"ontylog.dtd\">");
        out.line("<terminology ref_by=\"name\" if_exists_action=\"replace\">");
        writeDefinitions();
        for (uint64_t i = 0; i < numConcepts; ++i)
            writeConcept(i);
        out.line("</terminology>");
        out.flush();
    }

private:
    static constexpr uint64_t kNameBits = 16;
    static constexpr uint64_t kNameMask = (uint64_t(1) << kNameBits) - 1;

    Output& out;
    uint64_t numConcepts;
    Rng rng;
    uint64_t nameMultiplier, nameOffset;
    uint32_t rxkBits;
    uint64_t rxkMultiplier, rxkOffset;
    std::vector<uint32_t> rolesByDomain[kNumKinds];
    uint64_t nextDefId = 1;
    std::string name, other, text;

    const FaultOptions& faults;
    FILE* log;
    Rng faultRng;
    std::vector<ConceptFault> conceptFaults; // the enabled ones
    std::vector<bool> faulted; // by concept index, when faults are enabled
    // The fault of the concept being written; kConceptFaults: none.
    uint32_t fault = kConceptFaults;

    bool has(ConceptFault kind) const
    {
        return std::find(conceptFaults.begin(), conceptFaults.end(), kind) != conceptFaults.end();
    }

    void logFault(std::string_view kind, std::string_view subject, std::string_view faultName)
    {
        if (log == nullptr)
            return;
        std::string line(kind);
        line += '\t';
        line += subject;
        line += '\t';
        line += faultName;
        line += '\n';
        std::fputs(line.c_str(), log);
    }

    // Draws the fault of concept i, if any.
    uint32_t drawFault(uint64_t i)
    {
        if (conceptFaults.empty() || i < kNumKinds)
            return kConceptFaults;
        double u = static_cast<double>(faultRng.next() >> 11) * (1.0 / 9007199254740992.0);
        double slot = u / faults.rate;
        if (slot >= static_cast<double>(conceptFaults.size()))
            return kConceptFaults;
        return conceptFaults[static_cast<size_t>(slot)];
    }

    // An earlier concept without a fault, not a root; numConcepts if none.
    uint64_t earlierWithoutFault(uint64_t i)
    {
        for (uint64_t j = i; j-- > kNumKinds;) {
            if (!faulted[j])
                return j;
        }
        return numConcepts;
    }

    // --- definitions -------------------------------------------------------

    void idAndNamespace(const char* codePrefix, uint64_t codeNumber)
    {
        out.leafNumber("code", codePrefix, codeNumber);
        out.leafNumber("id", "", nextDefId++);
        out.leaf("namespace", kNamespace);
    }

    void pickList(const std::vector<const char*>& items)
    {
        if (items.empty())
            return;
        out.line("<pickList>");
        for (const char* item : items)
            out.leaf("pickListItem", item);
        out.line("</pickList>");
    }

    void writeDefinitions()
    {
        out.line("<namespaceDef>");
        out.leaf("name", kNamespace);
        out.leaf("code", "MVQ");
        out.leafNumber("id", "", nextDefId++);
        out.line("</namespaceDef>");

        for (uint32_t k = 0; k < kNumKinds; ++k) {
            out.put("<kindDef reference=\"");
            out.put(kKinds[k].reference);
            out.line("\">");
            out.leaf("name", kKinds[k].name);
            idAndNamespace("K", k + 1);
            out.line("</kindDef>");
        }
        if (faults.enabled("kind-without-root")) {
            out.line("<kindDef reference=\"false\">");
            out.leaf("name", "Spare_Kind");
            idAndNamespace("K", kNumKinds + 1);
            out.line("</kindDef>");
            logFault("kind-without-root", "kind definition", "Spare_Kind");
        }
        for (uint32_t r = 0; r < kNumRoles; ++r) {
            const RoleDef& role = kRoles[r];
            out.line("<roleDef>");
            out.leaf("name", role.name);
            idAndNamespace("R", 100 + r);
            out.leaf("domain", kKinds[role.domain].name);
            out.leaf("range", kKinds[role.range].name);
            if (role.rightId)
                out.leaf("rightId", role.name);
            if (*role.parent)
                out.leaf("parentRole", role.parent);
            out.line("</roleDef>");
        }
        writeFaultyRoleDefinitions();
        uint32_t p = 0;
        for (const PropertyDef& property : kProperties) {
            out.line("<propertyDef>");
            out.leaf("name", property.name);
            idAndNamespace("P", 90 + p++);
            out.leaf("range", property.range);
            if (property.containsIndex)
                out.line("<containsIndex/>");
            if (property.localized)
                out.line("<localized/>");
            pickList(property.pickList);
            out.line("</propertyDef>");
        }
        writeFaultyPropertyDefinitions(p);
        uint32_t q = 0;
        for (const QualifierDef& qualifier : kQualifiers) {
            out.put("<qualifierDef type=\"");
            out.put(qualifier.type);
            out.line("\">");
            out.leaf("name", qualifier.name);
            idAndNamespace("P", 380 + q++);
            pickList(qualifier.pickList);
            out.line("</qualifierDef>");
        }
        uint32_t a = 0;
        for (const AssociationDef& association : kAssociations) {
            out.line("<associationDef>");
            out.leaf("name", association.name);
            idAndNamespace("A", 1 + a++);
            out.leaf("inverseName", association.inverse);
            if (association.displayable)
                out.line("<displayable/>");
            out.line("</associationDef>");
        }
    }

    // A role definition of the given code (empty: none), domain and parent.
    void faultyRoleDefinition(
        const char* roleName, const char* code, const char* domain, const char* parent)
    {
        out.line("<roleDef>");
        out.leaf("name", roleName);
        out.leaf("code", code);
        out.leafNumber("id", "", nextDefId++);
        out.leaf("namespace", kNamespace);
        if (*parent) {
            out.leaf("parentRole", parent);
        } else {
            out.leaf("domain", domain);
            out.leaf("range", kKinds[Anatomy].name);
        }
        out.line("</roleDef>");
    }

    void writeFaultyRoleDefinitions()
    {
        if (faults.enabled("rootless-role-kind")) {
            faultyRoleDefinition("Spare_Has_Site", "R900", "Spare_Kind", "");
            logFault("rootless-role-kind", "role definition", "Spare_Has_Site");
        }
        if (faults.enabled("undefined-parent-role")) {
            faultyRoleDefinition(
                "Spare_Has_Part", "R901", kKinds[Anatomy].name, "Unlisted_Parent_Role");
            logFault("undefined-parent-role", "role definition", "Spare_Has_Part");
        }
        if (faults.enabled("missing-role-code")) {
            faultyRoleDefinition("Spare_Has_Cell", "", kKinds[Anatomy].name, "");
            logFault("missing-role-code", "role definition", "Spare_Has_Cell");
        }
    }

    void writeFaultyPropertyDefinitions(uint32_t p)
    {
        if (has(BadElementName)) {
            out.line("<propertyDef>");
            out.leaf("name", kBadPropertyName);
            idAndNamespace("P", 90 + p++);
            out.leaf("range", "string");
            out.line("</propertyDef>");
            logFault("invalid-owl-name", "property definition", kBadPropertyName);
        }
        if (faults.enabled("duplicate-definition-name")) {
            out.line("<propertyDef>");
            out.leaf("name", "Display_Name");
            idAndNamespace("P", 90 + p++);
            out.leaf("range", "string");
            out.line("</propertyDef>");
            logFault("duplicate-definition-name", "property definition", "Display_Name");
        }
    }

    // --- naming ------------------------------------------------------------

    static uint32_t kindOf(uint64_t con) { return static_cast<uint32_t>(con % kNumKinds); }

    // The name of concept i (roots first, then kind i % 6), as written.
    void conceptName(uint64_t i, std::string& to) const
    {
        to.clear();
        if (i < kNumKinds) {
            to += kKinds[i].root;
            return;
        }
        uint64_t q = i / kNumKinds - 1;
        uint64_t p = ((q & kNameMask) * nameMultiplier + nameOffset) & kNameMask;
        to += kModifiers[p & 31];
        to += ' ';
        to += kSites[(p >> 5) & 63];
        to += ' ';
        to += kHeads[kindOf(i)][p >> 11];
        if (uint64_t block = q >> kNameBits) {
            to += " Type ";
            appendNumber(to, block + 1);
        }
    }

    static void appendNumber(std::string& to, uint64_t value)
    {
        char digits[24];
        size_t n = 0;
        do {
            digits[n++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (n != 0)
            to += digits[--n];
    }

    uint64_t rxkNumber(uint64_t i) const
    {
        uint64_t mask = (uint64_t(1) << rxkBits) - 1;
        return 100000 + ((i * rxkMultiplier + rxkOffset) & mask);
    }

    // A random earlier concept of the given kind; i > kind.
    uint64_t earlierOfKind(uint64_t i, uint32_t kind)
    {
        uint64_t count = (i - kind + kNumKinds - 1) / kNumKinds; // kind, kind+6, ... < i
        return kind + kNumKinds * rng.below64(count);
    }

    // --- concepts ----------------------------------------------------------

    void writeConcept(uint64_t i)
    {
        const uint32_t kind = kindOf(i);
        const bool root = i < kNumKinds;
        conceptName(i, name);
        fault = drawFault(i);
        uint64_t from = numConcepts; // the concept a fault takes from
        if (fault == SharedRxk || fault == DuplicateName) {
            from = earlierWithoutFault(i);
            if (from == numConcepts)
                fault = kConceptFaults;
        }
        if (fault != kConceptFaults) {
            faulted[i] = true;
            // The subject the check reports it of.
            if (fault == ExtraRoot) {
                logFault(kConceptFaultKinds[fault], "kind definition", kKinds[kind].name);
            } else if (fault == DuplicateName) {
                conceptName(from, other);
                logFault(kConceptFaultKinds[fault], "concept", other);
            } else {
                logFault(kConceptFaultKinds[fault], "concept", name);
            }
        }

        out.line("<conceptDef>");
        out.leaf("name", name);
        out.leafNumber("code", "C", 100 + 3 * i + rng.below(3));
        out.leafNumber("id", "", kConceptIdBase + i);
        out.leaf("namespace", kNamespace);
        if (root || !rng.percent(4) || fault == ExtraRoot)
            out.leaf("kind", kKinds[kind].name);
        if (!root && rng.percent(70))
            out.line("<primitive/>");
        if (!root) {
            writeParents(i, kind);
            writeRoles(i, kind);
        }
        writeProperties(i, kind, from);
        if (!root)
            writeAssociations(i);
        writeConceptFault(i, kind);
        out.line("</conceptDef>");
        if (fault == DuplicateName)
            writeNamesake(i, from);
    }

    // What a fault adds at the end of a concept.
    void writeConceptFault(uint64_t i, uint32_t kind)
    {
        switch (fault) {
        case UnknownRoleTarget:
        case UndefinedRole:
            out.put("<definingRoles><role><some/>");
            out.element("name",
                fault == UndefinedRole ? "Unlisted_Role"
                                       : kRoles[rolesByDomain[kind].front()].name);
            if (fault == UndefinedRole)
                out.element("value", kKinds[kind].root);
            else
                out.elementNumber("value", "Missing Target ", i);
            out.line("</role></definingRoles>");
            break;
        case UnknownAssociationTarget:
        case UndefinedAssociation:
            out.put("<associations><association>");
            out.element("name", fault == UndefinedAssociation ? "Unlisted_Link" : "Replaced_By");
            if (fault == UndefinedAssociation)
                out.element("value", kKinds[kind].root);
            else
                out.elementNumber("value", "Missing Target ", i);
            out.line("</association></associations>");
            break;
        case UndefinedProperty:
        case UndefinedQualifier:
        case BadElementName:
        case UncarriedCharacter:
            out.put("<properties><property>");
            out.element("name",
                fault == UndefinedProperty    ? "Unlisted_Note"
                    : fault == BadElementName ? kBadPropertyName
                                              : "Display_Name");
            out.element("value", fault == UncarriedCharacter ? "Bell&#x7;" : "Noted");
            if (fault == UndefinedQualifier)
                qualifier("Unlisted_Source", "MVQ");
            out.line("</property></properties>");
            break;
        default:
            break;
        }
    }

    // A second concept with the name of concept `from`, after concept i.
    void writeNamesake(uint64_t i, uint64_t from)
    {
        const uint32_t kind = kindOf(from);
        conceptName(from, other);
        out.line("<conceptDef>");
        out.leaf("name", other);
        out.leafNumber("code", "CD", i);
        out.leafNumber("id", "", kConceptIdBase + numConcepts + i);
        out.leaf("namespace", kNamespace);
        out.leaf("kind", kKinds[kind].name);
        out.put("<definingConcepts>");
        out.element("concept", kKinds[kind].root);
        out.line("</definingConcepts>");
        out.put("<properties><property>");
        out.element("name", "RXK");
        out.elementNumber("value", "RXKD", i);
        out.line("</property></properties>");
        out.line("</conceptDef>");
    }

    void writeParents(uint64_t i, uint32_t kind)
    {
        static const uint32_t weights[] = { 0, 74, 20, 6 };
        uint32_t count = weighted(rng, weights);
        uint64_t chosen[3];
        uint32_t n = 0;
        for (uint32_t k = 0; k < count; ++k) {
            uint64_t parent = earlierOfKind(i, kind);
            bool repeated = false;
            for (uint32_t m = 0; m < n; ++m)
                repeated = repeated || chosen[m] == parent;
            if (!repeated)
                chosen[n++] = parent;
        }
        out.line("<definingConcepts>");
        if (fault == ExtraRoot)
            n = 0;
        for (uint32_t m = 0; m < n; ++m) {
            conceptName(chosen[m], other);
            out.leaf("concept", other);
        }
        if (fault == UnknownParent)
            out.leafNumber("concept", "Missing Parent ", i);
        if (fault == OwnParent)
            out.leaf("concept", name);
        out.line("</definingConcepts>");
    }

    void writeRole(uint64_t i, uint32_t kind)
    {
        const std::vector<uint32_t>& roles = rolesByDomain[kind];
        const RoleDef& role = kRoles[roles[rng.below(static_cast<uint32_t>(roles.size()))]];
        out.put("<role>");
        uint32_t m = rng.below(100);
        if (m < 80)
            out.put("<some/>");
        else if (m < 92)
            out.put("<all/>");
        else if (m < 97)
            out.put("<poss/>");
        out.element("name", role.name);
        conceptName(earlierOfKind(i, role.range), other);
        out.element("value", other);
        out.line("</role>");
    }

    void writeRoles(uint64_t i, uint32_t kind)
    {
        static const uint32_t weights[] = { 34, 26, 16, 10, 6, 3, 2, 2, 1 };
        uint32_t count = weighted(rng, weights);
        if (count == 0)
            return;
        // Some of the roles go into one or two role groups of two or three.
        uint32_t grouped[2] = { 0, 0 };
        uint32_t left = count;
        for (uint32_t g = 0; g < 2 && left >= 2 && rng.percent(g == 0 ? 35 : 30); ++g) {
            grouped[g] = left >= 3 && rng.percent(40) ? 3 : 2;
            left -= grouped[g];
        }
        out.line("<definingRoles>");
        uint32_t before = left == 0 ? 0 : rng.below(left + 1);
        for (uint32_t k = 0; k < before; ++k)
            writeRole(i, kind);
        for (uint32_t g = 0; g < 2 && grouped[g] != 0; ++g) {
            out.line("<roleGroup>");
            for (uint32_t k = 0; k < grouped[g]; ++k)
                writeRole(i, kind);
            out.line("</roleGroup>");
        }
        for (uint32_t k = before; k < left; ++k)
            writeRole(i, kind);
        out.line("</definingRoles>");
    }

    void qualifier(std::string_view qualifierName, std::string_view value)
    {
        out.put("<qualifier>");
        out.element("name", qualifierName);
        out.element("value", value);
        out.put("</qualifier>");
    }

    void property(std::string_view propertyName, std::string_view value)
    {
        out.put("<property>");
        out.element("name", propertyName);
        out.element("value", value);
        out.line("</property>");
    }

    void synonym(std::string_view value, const char* termType, const char* locale = nullptr)
    {
        out.put("<property>");
        out.element("name", "FULL_SYN");
        out.element("value", value);
        if (locale)
            out.element("locale", locale);
        qualifier("Syn_Term_Type", termType);
        qualifier("Syn_Source", pick(rng, kSources));
        out.line("</property>");
    }

    // Another wording of the concept's name: "<site> <head>, <modifier>".
    void reordered(std::string& to) const
    {
        size_t first = name.find(' ');
        to.clear();
        if (first == std::string::npos) {
            to = name;
            return;
        }
        to.append(name, first + 1, std::string::npos);
        to += ", ";
        to.append(name, 0, first);
    }

    // Initials of the words of the name, as an abbreviation.
    void abbreviation(std::string& to) const
    {
        to.clear();
        bool start = true;
        for (char c : name) {
            if (c == ' ' || c == ',' || c == '-') {
                start = true;
            } else {
                if (start && c >= 'A' && c <= 'Z')
                    to += c;
                start = false;
            }
        }
        if (to.size() < 2)
            to += "X";
    }

    void definitionText(std::string& to)
    {
        // 200 to 600 bytes, most of them short.
        uint64_t u = rng.below(1 << 16);
        for (int k = 0; k < 3; ++k)
            u = u * u >> 16;
        size_t target = 200 + static_cast<size_t>(u * 400 >> 16);
        to.assign("A");
        bool sentenceStart = false;
        while (to.size() < target) {
            const char* word = pick(rng, kDefinitionWords);
            to += ' ';
            size_t at = to.size();
            to += word;
            if (sentenceStart && to[at] >= 'a' && to[at] <= 'z')
                to[at] = static_cast<char>(to[at] - 'a' + 'A');
            sentenceStart = false;
            uint32_t r = rng.below(100);
            if (r < 7) {
                to += '.';
                sentenceStart = true;
            } else if (r < 12) {
                to += ',';
            }
        }
        if (to.back() == ',' || to.back() == '.')
            to.pop_back();
        to += '.';
    }

    // from: the concept whose RXK value a shared-rxk fault takes.
    void writeProperties(uint64_t i, uint32_t kind, uint64_t from)
    {
        static const uint32_t synonymWeights[] = { 0, 0, 92, 7, 1 };
        static const uint32_t totalWeights[] = { 60, 18, 8, 5, 3, 2, 1, 1, 1, 1, 1, 1, 1 };
        const uint32_t synonyms = weighted(rng, synonymWeights);
        const bool cui = rng.percent(50);
        const bool secondType = rng.percent(5);
        const uint32_t fixed = 4 + synonyms + (cui ? 1 : 0) + (secondType ? 2 : 1);
        const uint32_t wanted = 8 + weighted(rng, totalWeights); // 8..20
        const uint32_t extras = wanted > fixed ? wanted - fixed : 0;

        out.line("<properties>");
        property("Preferred_Name", name);
        if (fault != MissingRxk) {
            out.put("<property>");
            out.element("name", "RXK");
            out.elementNumber("value", fault == InvalidRxk ? "RXK:" : "RXK",
                rxkNumber(fault == SharedRxk ? from : i));
            out.line("</property>");
        }

        synonym(name, "PT");
        for (uint32_t s = 1; s < synonyms; ++s) {
            uint32_t r = rng.below(100);
            if (r < 45) {
                reordered(other);
                synonym(other, "SY");
            } else if (r < 75) {
                abbreviation(other);
                synonym(other, "AB");
            } else if (r < 87) {
                other = pick(rng, kFrenchTerms);
                other += " (";
                other += kSites[rng.below(countOf(kSites))];
                other += ')';
                synonym(other, "SY", "fr");
            } else if (r < 95) {
                other = pick(rng, kJapaneseTerms);
                synonym(other, "SY", "ja");
            } else {
                other = pick(rng, kGreekTerms);
                synonym(other, "FB", "el");
            }
        }

        definitionText(text);
        out.put("<property>");
        out.element("name", "DEFINITION");
        out.element("value", text);
        qualifier("Def_Source", pick(rng, kSources));
        out.line("</property>");

        if (cui) {
            out.put("<property>");
            out.element("name", "CUI");
            out.elementNumber("value", "CL", 1000000 + rng.below(9000000));
            out.line("</property>");
        }
        const std::vector<const char*>& types = kProperties[6].pickList;
        const char* type = types[(kind * 2 + rng.below(2)) % types.size()];
        property("Semantic_Type", fault == PickListValue ? "Unlisted Type" : type);
        if (secondType)
            property("Semantic_Type", types[rng.below(static_cast<uint32_t>(types.size()))]);

        for (uint32_t e = 0; e < extras; ++e)
            writeExtraProperty(i);
        out.line("</properties>");
    }

    void writeExtraProperty(uint64_t i)
    {
        // Cases 0 to 6 twice as often as the alternative definition.
        uint32_t choice = rng.below(15);
        switch (choice < 7 ? choice : choice - 7) {
        case 0:
            property("Display_Name", name);
            break;
        case 1:
            other = name;
            for (char& c : other)
                if (c == ' ')
                    c = '_';
            property("Legacy_Concept_Name", other);
            break;
        case 2:
            property("Contributing_Source", pick(rng, kSources));
            break;
        case 3:
            reordered(other);
            property("Use_For", other);
            break;
        case 4:
            other = "https://img.example.org/";
            appendNumber(other, kConceptIdBase + i);
            other += ".jpg?s=l&amp;f=jpg";
            property("Image_Link", other);
            break;
        case 5:
            other = "C";
            appendNumber(other, 1 + rng.below(30));
            other += "H";
            appendNumber(other, 1 + rng.below(60));
            other += "N";
            appendNumber(other, rng.below(8));
            other += "O";
            appendNumber(other, rng.below(12));
            property("Chemical_Formula", other);
            break;
        case 6:
            other.clear();
            appendNumber(other, 1000 + rng.below(900000));
            property("Locus_ID", other);
            break;
        default:
            definitionText(text);
            text.resize(std::min(text.size(), text.find(' ', 120)));
            while (!text.empty() && (text.back() == ',' || text.back() == '.'))
                text.pop_back();
            text += '.';
            out.put("<property>");
            out.element("name", "ALT_DEFINITION");
            out.element("value", text);
            qualifier("Def_Source", pick(rng, kSources));
            out.line("</property>");
            break;
        }
    }

    void writeAssociations(uint64_t i)
    {
        static const uint32_t weights[] = { 65, 25, 8, 2 };
        uint32_t count = weighted(rng, weights);
        if (count == 0)
            return;
        out.line("<associations>");
        for (uint32_t a = 0; a < count; ++a) {
            const AssociationDef& association = kAssociations[rng.below(countOf(kAssociations))];
            out.put("<association>");
            out.element("name", association.name);
            conceptName(rng.below64(i), other);
            out.element("value", other);
            if (rng.percent(30)) {
                // One draw per statement: the order in which function
                // arguments are evaluated differs between compilers.
                const char* qualifierName = rng.percent(70) ? "Assoc_Source" : "Assoc_Note";
                const char* value
                    = rng.percent(70) ? pick(rng, kSources) : "curated &amp; reviewed";
                qualifier(qualifierName, value);
            }
            out.line("</association>");
        }
        out.line("</associations>");
    }
};

// ---------------------------------------------------------------------------
// Command line

const char kUsage[] = "usage: gen_ontylog --concepts N --seed S [--out FILE]\n"
                      "                   [--faults RATE [--fault-kinds K1,K2,...] "
                      "[--fault-log FILE]]\n";

bool parseNumber(const char* text, uint64_t& value)
{
    if (*text < '0' || *text > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = parsed;
    return true;
}

int usage(const char* problem)
{
    std::fprintf(stderr, "gen_ontylog: %s\n%s", problem, kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    uint64_t concepts = 0, seed = 0;
    bool haveConcepts = false, haveSeed = false;
    const char* outName = nullptr;
    FaultOptions faults;
    for (int a = 1; a < argc; ++a) {
        std::string_view arg = argv[a];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a + 1 >= argc)
            return usage("missing value or unknown option");
        const char* value = argv[++a];
        if (arg == "--concepts") {
            if (!parseNumber(value, concepts))
                return usage("--concepts needs a non-negative integer");
            haveConcepts = true;
        } else if (arg == "--seed") {
            if (!parseNumber(value, seed))
                return usage("--seed needs a non-negative integer");
            haveSeed = true;
        } else if (arg == "--out") {
            outName = value;
        } else if (arg == "--faults") {
            char* end = nullptr;
            faults.rate = std::strtod(value, &end);
            if (*value == '\0' || *end != '\0' || !(faults.rate >= 0 && faults.rate <= 1))
                return usage("--faults needs a rate between 0 and 1");
        } else if (arg == "--fault-kinds") {
            std::string_view list = value;
            while (!list.empty()) {
                size_t comma = std::min(list.find(','), list.size());
                std::string kind(list.substr(0, comma));
                bool known
                    = std::find(std::begin(kConceptFaultKinds), std::end(kConceptFaultKinds), kind)
                        != std::end(kConceptFaultKinds)
                    || std::find(
                           std::begin(kDefinitionFaultKinds), std::end(kDefinitionFaultKinds), kind)
                        != std::end(kDefinitionFaultKinds);
                if (!known)
                    return usage(("unknown fault kind " + kind).c_str());
                faults.kinds.push_back(kind);
                list.remove_prefix(std::min(comma + 1, list.size()));
            }
        } else if (arg == "--fault-log") {
            faults.logName = value;
        } else {
            return usage("unknown option");
        }
    }
    if (!haveConcepts || !haveSeed)
        return usage("--concepts and --seed are required");
    size_t enabled = 0;
    for (const char* kind : kConceptFaultKinds)
        enabled += faults.enabled(kind) ? 1 : 0;
    if (faults.rate * static_cast<double>(enabled) > 1)
        return usage("--faults: the rate times the number of fault kinds exceeds 1");

    FILE* file = stdout;
    if (outName) {
        file = std::fopen(outName, "wb");
        if (!file) {
            std::fprintf(
                stderr, "gen_ontylog: cannot open %s: %s\n", outName, std::strerror(errno));
            return 1;
        }
    }
    FILE* log = nullptr;
    if (faults.logName) {
        log = std::fopen(faults.logName, "w");
        if (!log) {
            std::fprintf(
                stderr, "gen_ontylog: cannot open %s: %s\n", faults.logName, std::strerror(errno));
            if (outName)
                std::fclose(file), std::remove(outName);
            return 1;
        }
    }
    Output out(file);
    Generator(out, concepts, seed, faults, log).run();
    bool ok = !out.failed();
    if (log && std::fclose(log) != 0) {
        std::fprintf(stderr, "gen_ontylog: cannot write %s\n", faults.logName);
        ok = false;
    }
    ok = (outName ? std::fclose(file) == 0 : std::fflush(file) == 0) && ok;
    if (!ok) {
        std::fprintf(
            stderr, "gen_ontylog: cannot write %s\n", outName ? outName : "standard output");
        if (outName)
            std::remove(outName);
        return 1;
    }
    return 0;
}
