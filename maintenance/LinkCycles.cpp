#include "maintenance/LinkCycles.h"

#include <algorithm>
#include <utility>

namespace maintenance {

namespace {

// Tarjan's search, with its own stack of the path in place of recursion.
class CycleSearch {
public:
    explicit CycleSearch(const Links& givenLinks)
        : links(givenLinks)
        , order(givenLinks.nodes(), kNone)
        , low(givenLinks.nodes(), 0)
        , onStack(givenLinks.nodes(), false)
    {
    }

    std::vector<std::vector<std::size_t>> run()
    {
        for (std::size_t start = 0; start < links.nodes(); ++start) {
            if (order[start] == kNone)
                searchFrom(start);
        }
        return std::move(cycles);
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void visit(std::size_t node)
    {
        order[node] = low[node] = counter++;
        stack.push_back(node);
        onStack[node] = true;
        path.push_back({ node, 0 });
    }

    void searchFrom(std::size_t start)
    {
        visit(start);
        while (!path.empty()) {
            std::size_t node = path.back().first;
            std::size_t& edge = path.back().second;
            if (links.starts[node] + edge < links.starts[node + 1]) {
                std::size_t next = links.targets[links.starts[node] + edge++];
                if (order[next] == kNone)
                    visit(next);
                else if (onStack[next])
                    low[node] = std::min(low[node], order[next]);
                continue;
            }
            path.pop_back();
            if (!path.empty())
                low[path.back().first] = std::min(low[path.back().first], low[node]);
            if (low[node] == order[node])
                takeComponent(node);
        }
    }

    // Takes the component whose first node is `node` off the stack; keeps
    // it when it is a cycle.
    void takeComponent(std::size_t node)
    {
        std::vector<std::size_t> members;
        std::size_t member;
        do {
            member = stack.back();
            stack.pop_back();
            onStack[member] = false;
            members.push_back(member);
        } while (member != node);
        auto first = links.targets.begin() + static_cast<std::ptrdiff_t>(links.starts[node]);
        auto last = links.targets.begin() + static_cast<std::ptrdiff_t>(links.starts[node + 1]);
        bool selfLinked = members.size() == 1 && std::find(first, last, node) != last;
        if (members.size() < 2 && !selfLinked)
            return;
        std::sort(members.begin(), members.end());
        cycles.push_back(std::move(members));
    }

    const Links& links;
    std::vector<std::size_t> order; // when each node was reached; kNone: not yet
    std::vector<std::size_t> low;
    std::vector<bool> onStack;
    std::vector<std::size_t> stack;
    std::vector<std::pair<std::size_t, std::size_t>> path; // node, next link
    std::size_t counter = 0;
    std::vector<std::vector<std::size_t>> cycles;
};

} // namespace

std::vector<std::vector<std::size_t>> findCycles(const Links& links)
{
    return CycleSearch(links).run();
}

} // namespace maintenance
