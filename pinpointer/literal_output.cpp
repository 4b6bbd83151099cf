#include "pinpointer/literal_output.h"

void print_literals(std::ostream& out, const vec<Lit>& lits, bool negated) {
    for (int i = 0; i < lits.size(); i++) {
        Lit p = lits[i] ^ negated;
        if (sign(p)) out << "-";
        out << var(p) + 1 << " ";
    }
}
