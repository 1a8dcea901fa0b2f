#ifndef QUELT_MAINTENANCE_CODEINDEX_H
#define QUELT_MAINTENANCE_CODEINDEX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QueltConcept;
class QueltKb;

namespace maintenance {

// The concepts of a knowledge base in the order of their codes (byte-wise;
// concepts of one code in order of arrival), for the comparisons of two
// versions. Built in one sort, so that finding the codes of one version in
// the other does not build the knowledge base's indexes of terms, stems
// and parents that its own code lookup fills on first use. Refers to the
// concepts the knowledge base holds when it is built, which stay where they
// are while concepts are added.
class CodeIndex {
public:
    struct Entry {
        std::uint64_t prefix; // the code's first eight bytes as one number
        const std::string* code;
        const QueltConcept* con;
        long id;
        std::uint32_t index; // in order of arrival
    };

    explicit CodeIndex(const QueltKb& kb);

    const std::vector<Entry>& entries() const { return sorted; }

    // The identifier of the first concept of that code, or -1.
    long find(const std::string& code) const;

    // Negative, zero or positive as a's code sorts before, with or after b's.
    static int compare(const Entry& a, const Entry& b);

private:
    std::vector<Entry> sorted;
};

} // namespace maintenance

#endif
