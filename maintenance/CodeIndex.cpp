#include "maintenance/CodeIndex.h"

#include "model/QueltKb.h"

#include <algorithm>

namespace maintenance {

namespace {

std::uint64_t prefixOf(const std::string& code)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < code.size() ? static_cast<unsigned char>(code[i]) : 0u);
    return prefix;
}

} // namespace

CodeIndex::CodeIndex(const QueltKb& kb)
{
    const QueltKb::ConceptMap& concepts = kb.getConcepts();
    sorted.reserve(concepts.size());
    std::uint32_t index = 0;
    for (const auto& entry : concepts) {
        const QueltConcept& con = entry.second;
        sorted.push_back({ prefixOf(con.getCode()), &con.getCode(), &con, entry.first, index++ });
    }
    std::sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) {
        int order = compare(a, b);
        return order != 0 ? order < 0 : a.index < b.index;
    });
}

int CodeIndex::compare(const Entry& a, const Entry& b)
{
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix ? -1 : 1;
    return a.code->compare(*b.code);
}

long CodeIndex::find(const std::string& code) const
{
    Entry key { prefixOf(code), &code, nullptr, -1, 0 };
    auto it = std::lower_bound(sorted.begin(), sorted.end(), key,
        [](const Entry& a, const Entry& b) { return compare(a, b) < 0; });
    return it != sorted.end() && compare(*it, key) == 0 ? it->id : -1;
}

} // namespace maintenance
