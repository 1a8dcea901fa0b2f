#ifndef QUELT_XMLOUT_OWLNAMING_H
#define QUELT_XMLOUT_OWLNAMING_H

#include "model/QueltKb.h"
#include "xmlout/CodeTable.h"
#include "xmlout/NameCache.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the OWL writer names the things of a knowledge base by, and what it
// takes from them: the identifier of each concept's class, the label, role
// codes, the root classes and the root that stands for each kind, the
// element names of attribute records and the pick lists values belong to.
// The writer (owl/) writes by it; the terminology check (maintenance/)
// reads the same answers to foretell what the writer does.
//
// Built once per knowledge base, on the calling thread with help for the
// pass over the concepts; it only reads afterwards, so threads may share
// it. The knowledge base must outlive it and stay as it is.
class OwlNaming {
public:
    // A concept without parents, as a root class of the ontology.
    struct Root {
        const std::string* name;
        long id; // the first concept of that name
        std::string kind; // the kind of that concept
    };

    // The pass over the concepts is shared by the calling thread and up to
    // `helpers` more; the answers are the same whatever their number.
    OwlNaming(const QueltKb& kb, unsigned helpers);
    OwlNaming(const OwlNaming&) = delete;
    OwlNaming& operator=(const OwlNaming&) = delete;

    // One helper per core beyond the first, at most three.
    static unsigned defaultHelpers();

    // The identifier of the class of the concepts of that name: the value
    // of the last "RXK" property given for the name, whichever concept of
    // that name gave it; empty when none did.
    std::string_view conceptCode(std::string_view name) const { return conceptCodes.get(name); }
    // Whether the property is an "RXK" property, one that names a class;
    // also by the name of a property.
    bool isRxk(const QueltProperty& property) const { return isRxk(propertyCache.of(property)); }
    bool isRxk(const ElementName& propertyName) const { return *propertyName.text == kRxk; }
    // What a reference by that name (a parent, a role value, an
    // association value) is written with: conceptCode(name); nothing when
    // no concept has the name (the reference is written as "#").
    std::optional<std::string_view> referenceCode(std::string_view name) const
    {
        return conceptCodes.find(name);
    }
    // The label of the concept's class: the value of its first
    // "Preferred_Name" property, else its name.
    const std::string& label(const QueltConcept& con) const;

    // The code of the role definition of that name (a later definition of
    // a name replaces an earlier one); empty when there is none.
    std::string_view roleCode(std::string_view name) const { return roleCodes.get(name); }
    // Whether some role definition has that name (its code may be empty).
    bool definesRole(std::string_view name) const { return roleCodes.contains(name); }

    // The names of the concepts without parents, each once, in byte order.
    const std::vector<Root>& roots() const { return rootList; }
    // The root that stands for the kind, the last in byte order of those
    // of that kind; nullptr when no root is of that kind.
    const std::string* rootOfKind(const std::string& kind) const;

    // Names of the attribute records of the concepts, every map id they
    // hold resolved; for roles with whether a role definition has the name
    // and its code.
    const NameCache<QueltProperty>& propertyNames() const { return propertyCache; }
    const NameCache<QueltRole>& roleNames() const { return roleCache; }
    const NameCache<QueltAssociation>& associationNames() const { return associationCache; }
    const NameCache<QueltQualifier>& qualifierNames() const { return qualifierCache; }

    // Whether the value of a property or qualifier is outside the pick list
    // of its definition; false when the definition has no pick list.
    bool outsidePickList(const QueltProperty& property) const
    {
        return outside(property, propertyCache, propertyPickLists);
    }
    bool outsidePickList(const QueltQualifier& qualifier) const
    {
        return outside(qualifier, qualifierCache, qualifierPickLists);
    }

private:
    struct Scan;
    static const std::string kRxk;

    // Resolves the names of the attribute records and fills conceptCodes;
    // returns the names of the concepts without parents, in the order of
    // the concepts, a name as often as a root has it.
    std::vector<const std::string*> scanConcepts(unsigned helpers);
    std::vector<const std::string*> merge(
        std::vector<Scan>& scans, const std::vector<long>& rxkIds);
    void nameRoles();
    void findRoots(std::vector<const std::string*> names);
    // The definition a record's map id is filed under holds its pick list
    // when it has the record's name.
    template <class Record, class Def>
    static bool outside(
        const Record& record, const NameCache<Record>& names, const MapIdTable<const Def*>& lists)
    {
        const Def* const* def = lists.find(record.getNameID());
        return def != nullptr && *def != nullptr && (*def)->getName() == *names.of(record).text
            && !(*def)->stringInPickList(record.getValue());
    }

    const QueltKb& kb;
    CodeTable conceptCodes; // concept name -> identifier of its class
    CodeTable roleCodes; // role definition name -> its code
    NameCache<QueltProperty> propertyCache;
    NameCache<QueltRole> roleCache;
    NameCache<QueltAssociation> associationCache;
    NameCache<QueltQualifier> qualifierCache;
    std::vector<Root> rootList;
    std::map<std::string, const std::string*> kindRoots; // kind -> its root's name
    // The definitions with a pick list, by the map id the knowledge base
    // files them under.
    MapIdTable<const QueltPropertyDef*> propertyPickLists;
    MapIdTable<const QueltQualifierDef*> qualifierPickLists;
};

#endif
