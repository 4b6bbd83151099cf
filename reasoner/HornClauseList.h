#ifndef KORVANE_REASONER_HORNCLAUSELIST_H
#define KORVANE_REASONER_HORNCLAUSELIST_H

#include <cstddef>
#include <vector>

// Horn clauses (body variables, head variable) in the order they were
// added, the bodies one after another in one array: reading a stored
// encoding makes no allocation per clause.
class HornClauseList {
public:
    // The body variables of one clause, in input order.
    struct Body {
        const unsigned long* first;
        const unsigned long* last;
        const unsigned long* begin() const { return first; }
        const unsigned long* end() const { return last; }
        std::size_t size() const { return static_cast<std::size_t>(last - first); }
        unsigned long front() const { return *first; }
    };
    struct Clause {
        Body body;
        unsigned long head;
    };

    class const_iterator {
    public:
        const_iterator(const HornClauseList& list, std::size_t k) : list(&list), k(k) {}
        Clause operator*() const { return (*list)[k]; }
        const_iterator& operator++()
        {
            ++k;
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return k != other.k; }
        bool operator==(const const_iterator& other) const { return k == other.k; }

    private:
        const HornClauseList* list;
        std::size_t k;
    };

    template <typename Variables>
    void add(const Variables& body, unsigned long head)
    {
        variables.insert(variables.end(), body.begin(), body.end());
        clauses.push_back({variables.size(), head});
    }
    Clause operator[](std::size_t k) const
    {
        const std::size_t start = k == 0 ? 0 : clauses[k - 1].end;
        return {{variables.data() + start, variables.data() + clauses[k].end}, clauses[k].head};
    }
    std::size_t size() const { return clauses.size(); }
    bool empty() const { return clauses.empty(); }
    const_iterator begin() const { return const_iterator(*this, 0); }
    const_iterator end() const { return const_iterator(*this, clauses.size()); }
    // Empties the list and frees its memory.
    void release()
    {
        std::vector<unsigned long>().swap(variables);
        std::vector<Entry>().swap(clauses);
    }

private:
    struct Entry {
        // Where the clause's body ends in the array.
        std::size_t end;
        unsigned long head;
    };
    std::vector<unsigned long> variables;
    std::vector<Entry> clauses;
};

#endif
