#ifndef QUELT_MAINTENANCE_LINKCYCLES_H
#define QUELT_MAINTENANCE_LINKCYCLES_H

#include <cstddef>
#include <vector>

namespace maintenance {

// Links between the nodes 0 to n - 1 of a graph: those of node i are
// targets[starts[i]] up to targets[starts[i + 1]]; starts holds n + 1
// entries.
struct Links {
    std::vector<std::size_t> targets;
    std::vector<std::size_t> starts;

    std::size_t nodes() const { return starts.empty() ? 0 : starts.size() - 1; }
};

// The cycles of the graph: each set of two or more nodes that lead to one
// another (a strongly connected component), and each node linked to
// itself alone. Each cycle is its nodes in ascending order; the cycles come
// in the order a depth-first search from node 0 on completes them. Found
// without recursion, so a long chain of links cannot exhaust the stack.
std::vector<std::vector<std::size_t>> findCycles(const Links& links);

} // namespace maintenance

#endif
