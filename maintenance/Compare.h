#ifndef QUELT_MAINTENANCE_COMPARE_H
#define QUELT_MAINTENANCE_COMPARE_H

class QueltKb;

// Comparing two versions of a terminology by concept code. Concepts with
// equal codes count as the same concept whatever else differs.
namespace maintenance {

// Hands every definition of `from` to the target, namespaces, kinds,
// property, role, association and qualifier definitions in that order; a
// definition whose map id the target holds already is dropped there.
QueltKb& copyDefinitions(const QueltKb& from, QueltKb& target);

// Every concept of `older` whose code `newer` holds too, followed by the
// concept of `newer` with that code; then the definitions of `older`.
QueltKb& pairSharedConcepts(const QueltKb& older, const QueltKb& newer, QueltKb& target);

// The marker concept "deleted_concepts", the concepts only `older` holds,
// the marker "new_concepts", the concepts only `newer` holds; then the
// definitions of `older`.
void collectUniqueConcepts(const QueltKb& older, const QueltKb& newer, QueltKb& target);

// How many concepts of `older` have a code that `newer` holds (shared) and
// does not hold (removed), and how many of `newer` a code that `older`
// does not hold (added).
struct DiffCounts {
    long shared = 0;
    long removed = 0;
    long added = 0;
};

// What pairSharedConcepts and collectUniqueConcepts make of the two
// versions, in `shared` and `unique`, followed in both by the definitions
// of `newer` (which may define more than `older`), and their counts. The concepts are moved out of
// the versions rather than copied (a concept of `newer` paired with several of `older`, which share
// a code, is copied but for its last pairing): the two versions are good
// for nothing but destruction afterwards.
DiffCounts splitVersions(QueltKb& older, QueltKb& newer, QueltKb& shared, QueltKb& unique);

} // namespace maintenance

#endif
