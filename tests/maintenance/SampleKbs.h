#ifndef QUELT_TESTS_MAINTENANCE_SAMPLEKBS_H
#define QUELT_TESTS_MAINTENANCE_SAMPLEKBS_H

#include "MaintenanceTestSupport.h"

#include <string>

// Knowledge bases built in code for the writer and round-trip tests.
namespace mainttest {

// One of everything: two kinds (one not a reference), a role with and one
// without a parent role, property definitions with both flags, with a pick
// list and with neither, association definitions with and without inverse
// and display flag, qualifier definitions with and without pick list; a
// primitive root with a kind, a defined concept without kind, and a concept
// with ungrouped and grouped roles of all three modifiers, qualified
// properties and a qualified association.
inline void buildSmall(QueltKb& kb)
{
    kb.addNamespace(QueltName("Cardio", 1, "NS1"));
    kb.addKind(QueltKind("Disease_Kind", 10, "K10", "Cardio", true));
    kb.addKind(QueltKind("Anatomy_Kind", 11, "K11", "Cardio", false));
    kb.addRoleDef(QueltRoleDef("Has_Site", "R101", 101, "Cardio", "Disease_Kind", "Anatomy_Kind",
                               "Right_Id", ""));
    kb.addRoleDef(QueltRoleDef("Has_Primary_Site", "R102", 102, "Cardio", "Disease_Kind",
                               "Anatomy_Kind", "", "Has_Site"));
    kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "P201", 201, "string", false, true,
                                       "Cardio"));
    kb.addPropertyDef(QueltPropertyDef("FULL_SYN", "P202", 202, "long_string", true, true,
                                       "Cardio"));
    {
        QueltPropertyDef semantic("Semantic_Type", "P203", 203, "string", false, false, "Cardio");
        semantic.setPickList({"Disease or Syndrome", "Body Part"});
        kb.addPropertyDef(semantic);
    }
    kb.addPropertyDef(QueltPropertyDef("DEFINITION", "P204", 204, "long_string", true, false,
                                       "Cardio"));
    kb.addAssociationDef(QueltAssociationDef("Related_To", "A301", 301, "Related_From", true,
                                             "Cardio"));
    kb.addAssociationDef(QueltAssociationDef("See_Also", "A302", 302, "", false, "Cardio"));
    kb.addQualifierDef(QueltQualifierDef("Syn_Source", "Q401", 401, "Cardio", "CA",
                                         {"Cardio", "Pharm"}));
    kb.addQualifierDef(QueltQualifierDef("Assoc_Source", "Q402", 402, "Cardio", "CP", {}));

    {
        QueltConcept anatomy("Anatomy", "C1", 1001, "Cardio", "Anatomy_Kind", false);
        anatomy.addProperty(QueltProperty("Preferred_Name", "Anatomy", ""));
        kb.addConcept(anatomy);
    }
    {
        QueltConcept heart("Heart", "C2", 1002, "Cardio", "", true);
        heart.addParent("Anatomy");
        QueltProperty synonym("FULL_SYN", "Cor", "la");
        synonym.addQualifier(QueltQualifier("Syn_Source", "Cardio"));
        heart.addProperty(QueltProperty("Preferred_Name", "Heart", ""));
        heart.addProperty(synonym);
        heart.addAssociation(QueltAssociation("Related_To", "Anatomy",
                                              {QueltQualifier("Assoc_Source", "Atlas")}));
        heart.addAssociation(QueltAssociation("See_Also", "Anatomy"));
        kb.addConcept(heart);
    }
    {
        QueltConcept disease("Heart_Disease", "C3", 1003, "Cardio", "Disease_Kind", false);
        disease.addParent("Heart");
        disease.addParent("Anatomy");
        disease.addRole(QueltRole("Has_Site", "Heart", "some"));
        disease.addRole(QueltRole("Has_Primary_Site", "Heart", "all", 1));
        disease.addRole(QueltRole("Has_Site", "Anatomy", "poss", 1));
        disease.addRole(QueltRole("Has_Site", "Heart", "", 2));
        disease.addProperty(QueltProperty("DEFINITION", "A disease of the heart.", "en"));
        disease.addProperty(QueltProperty("Semantic_Type", "Disease or Syndrome", ""));
        kb.addConcept(disease);
    }
}

// Text that tries every way of breaking XML: markup characters, a CDATA
// end, quotes, CR and LF, tab, blanks at both ends and text beyond ASCII.
inline std::string nasty(const std::string& core)
{
    return " " + core + " & <b> \"q\" 'a' ]]> x\r\ny\tz \xC3\xA9\xE6\xBC\xA2\xF0\x9F\x98\x80 ";
}

// A terminology whose every text is nasty(): every name, code, namespace,
// kind, domain, range, parent role, inverse name, pick-list item, concept
// name, parent, and role, property, association and qualifier name and
// value. (The qualifier type is one of the three the model accepts.)
inline void buildAdversarial(QueltKb& kb)
{
    const std::string ns = nasty("NS");
    const std::string kind = nasty("Kind");
    const std::string role = nasty("Role");
    const std::string prop = nasty("Prop");
    const std::string assoc = nasty("Assoc");
    const std::string qual = nasty("Qual");
    kb.addNamespace(QueltName(ns, 7, nasty("NSCode")));
    kb.addKind(QueltKind(kind, 8, nasty("KindCode"), ns, false));
    kb.addRoleDef(QueltRoleDef(role, nasty("RoleCode"), 9, ns, kind, kind, "", nasty("Parent")));
    {
        QueltPropertyDef def(prop, nasty("PropCode"), 10, nasty("Range"), true, true, ns);
        def.setPickList({nasty("Item1"), "<![CDATA[x&y]]>", "plain"});
        kb.addPropertyDef(def);
    }
    kb.addAssociationDef(QueltAssociationDef(assoc, nasty("AssocCode"), 11, nasty("Inverse"),
                                             true, ns));
    kb.addQualifierDef(QueltQualifierDef(qual, nasty("QualCode"), 12, ns, "CR",
                                         {nasty("QItem")}));

    {
        QueltConcept root(nasty("Root"), nasty("C1"), 100, ns, kind, false);
        root.addProperty(QueltProperty(prop, "<![CDATA[already & wrapped]]>", ""));
        root.addProperty(QueltProperty(prop, "no markup but ]]> and \r", ""));
        kb.addConcept(root);
    }
    {
        QueltConcept child(nasty("Child"), nasty("C2"), 101, ns, "", true);
        child.addParent(nasty("Root"));
        child.addParent("Plain parent");
        child.addRole(QueltRole(role, nasty("Root"), "all"));
        child.addRole(QueltRole(role, nasty("Value"), "poss", 1));
        QueltProperty property(prop, nasty("Value"), "");
        property.addQualifier(QueltQualifier(qual, nasty("QValue")));
        child.addProperty(property);
        child.addAssociation(QueltAssociation(assoc, nasty("Root"),
                                              {QueltQualifier(qual, nasty("AValue"))}));
        kb.addConcept(child);
    }
}

} // namespace mainttest

#endif
