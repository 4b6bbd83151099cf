#ifndef KORVANE_TESTS_RANDOMONTOLOGY_H
#define KORVANE_TESTS_RANDOMONTOLOGY_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

// A count that a random test reads from the environment (how many
// terminologies, the first seed), or `otherwise`.
inline unsigned long randomTestSetting(const char* name, unsigned long otherwise)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoul(value, nullptr, 10) : otherwise;
}

// What a random terminology is made of: how many names and axioms, and how
// often each kind of axiom and concept is drawn (percentages). The defaults
// are the small terminologies without top and bottom that most tests use.
struct RandomOntologyShape {
    unsigned conceptsAtLeast = 3;
    unsigned conceptsSpread = 3;
    unsigned rolesAtLeast = 1;
    unsigned rolesSpread = 3;
    unsigned axiomsAtLeast = 4;
    unsigned axiomsSpread = 8;
    // An axiom roll below conceptAxioms is a concept axiom (an equivalence
    // from equivalences on); below roleInclusions a role inclusion; below
    // chains a role chain; else a transitivity.
    unsigned conceptAxioms = 70;
    unsigned equivalences = 55;
    // Of the concept axioms, how many are edges A ⊑ ∃r.B between names (B
    // top as often as a filler is).
    unsigned edges = 0;
    unsigned roleInclusions = 80;
    unsigned chains = 90;
    // Of the chains, how many have three roles; of those of two, how many
    // take the roles of an earlier one (into a role as high as both).
    unsigned longChains = 0;
    unsigned repeatedPairs = 0;
    // Of the role axioms, how many pick their roles freely: the role box may
    // then not be regular (see regular()).
    unsigned freeRoleAxioms = 0;
    // A side has depth sideDepthAtLeast + a draw below sideDepthSpread; an
    // expression roll below names is a name, below conjunctions a
    // conjunction, else an existential restriction.
    unsigned sideDepthAtLeast = 2;
    unsigned sideDepthSpread = 2;
    unsigned names = 40;
    unsigned conjunctions = 75;
    // How often the filler of an existential restriction is top.
    unsigned topFillers = 0;
    // With two or more, the names fall into this many bands of consecutive
    // numbers, and an edge leads from a name of one band to a name of the
    // next, so that edges make paths as long as the bands are many.
    unsigned layers = 0;
};

// A small random EL+ terminology drawn from a seed: inclusions and
// equivalences between concepts built from a few names with conjunctions
// (repeated and nested operands included) and existential restrictions
// (with top as filler when the shape asks for it), role inclusions, chains
// of two or three roles and transitivities. It is written in the ontology
// language, one axiom a line, its role hierarchy kept regular (the condition
// of OWL on role chains) unless the shape lets role axioms pick their roles
// freely. Every concept and role name starts with the given prefix, so that
// several terminologies can share one OWL document without sharing a name.
class RandomOntology {
public:
    RandomOntology(uint32_t seed, const std::string& prefix, const RandomOntologyShape& shape = {})
        : rng(seed), namePrefix(prefix), shape(shape)
    {
        concepts = shape.conceptsAtLeast + pick(shape.conceptsSpread);
        roles = shape.rolesAtLeast + pick(shape.rolesSpread);
        const unsigned axioms = shape.axiomsAtLeast + pick(shape.axiomsSpread);
        for (unsigned i = 0; i < axioms; ++i)
            addAxiom();
    }

    const std::string& prefix() const { return namePrefix; }
    const std::string& krss() const { return krssText; }
    // The axioms of krss(), in order.
    const std::vector<std::string>& krssAxioms() const { return axiomTexts; }
    // Whether the role hierarchy is regular, as OWL requires.
    bool regular() const { return regularRoles; }
    // The names of the concepts (all declared, used or not).
    std::vector<std::string> conceptNames() const
    {
        std::vector<std::string> all;
        for (unsigned i = 0; i < concepts; ++i)
            all.push_back(conceptName(i));
        return all;
    }
    // The names of the roles (all declared, used or not).
    std::vector<std::string> roleNames() const
    {
        std::vector<std::string> all;
        for (unsigned i = 0; i < roles; ++i)
            all.push_back(roleName(i));
        return all;
    }

private:
    unsigned pick(unsigned n) { return static_cast<unsigned>(rng() % n); }
    bool chance(unsigned percent) { return pick(100) < percent; }

    std::string conceptName(unsigned i) const { return namePrefix + "C" + std::to_string(i); }
    std::string roleName(unsigned i) const { return namePrefix + "r" + std::to_string(i); }

    std::string name() { return conceptName(pick(concepts)); }

    // A conjunction keeps its repeated operands.
    std::string expression(unsigned depth)
    {
        const unsigned roll = pick(100);
        if (depth == 0 || roll < shape.names)
            return name();
        if (roll < shape.conjunctions) {
            std::vector<std::string> operands;
            const unsigned count = 2 + pick(2);
            for (unsigned i = 0; i < count; ++i) {
                if (i > 0 && chance(35))
                    operands.push_back(operands[pick(i)]);
                else
                    operands.push_back(expression(depth - 1));
            }
            std::string conjunction = "(and";
            for (const std::string& o : operands)
                conjunction += " " + o;
            return conjunction + ")";
        }
        return existential(depth - 1);
    }

    // ∃r.F, F top as often as the shape says, else of the given depth.
    std::string existential(unsigned fillerDepth)
    {
        const std::string r = roleName(pick(roles));
        const std::string filler =
            shape.topFillers > 0 && chance(shape.topFillers) ? "*top*" : expression(fillerDepth);
        return "(some " + r + " " + filler + ")";
    }

    void addConceptAxiom(const std::string& l, const std::string& r, bool equivalence)
    {
        addKrss(std::string(equivalence ? "(equivalent " : "(implies ") + l + " " + r + ")");
    }

    // A ⊑ ∃r.B with B in the band after A's.
    void addLayeredEdge()
    {
        const unsigned band = concepts / shape.layers;
        const unsigned layer = pick(shape.layers - 1);
        const std::string a = conceptName(layer * band + pick(band));
        const std::string b = conceptName((layer + 1) * band + pick(band));
        const std::string r = roleName(pick(roles));
        addConceptAxiom(a, "(some " + r + " " + b + ")", false);
    }

    void addKrss(const std::string& axiom)
    {
        axiomTexts.push_back(axiom);
        krssText += axiom + "\n";
    }

    // A chain of the given components (two or three) included in t.
    void addChain(const std::vector<unsigned>& components, unsigned t)
    {
        std::string krss = "(role-inclusion (compose";
        for (unsigned c : components)
            krss += " " + roleName(c);
        addKrss(krss + ") " + roleName(t) + ")");
    }

    // A chain of three roles into t, regular unless free or t is the first
    // role: the components below t, or t first or last and the others below.
    void addLongChain(bool free)
    {
        const unsigned t = pick(roles);
        std::vector<unsigned> components(3, t);
        if (free || t == 0) {
            regularRoles = false;
            if (free)
                for (unsigned& c : components)
                    c = pick(roles);
        } else {
            const unsigned end = pick(3);
            for (std::size_t i = 0; i < components.size(); ++i)
                if (!(end == 0 && i == 0) && !(end == 1 && i == 2))
                    components[i] = pick(t);
        }
        addChain(components, t);
    }

    void addAxiom()
    {
        const unsigned roll = pick(100);
        if (roll < shape.conceptAxioms && shape.edges > 0 && chance(shape.edges)) {
            if (shape.layers > 1 && concepts >= shape.layers) {
                addLayeredEdge();
                return;
            }
            const std::string l = name();
            addConceptAxiom(l, existential(0), false);
            return;
        }
        if (roll < shape.conceptAxioms) {
            const std::string l = expression(shape.sideDepthAtLeast + pick(shape.sideDepthSpread));
            const std::string r = expression(shape.sideDepthAtLeast + pick(shape.sideDepthSpread));
            addConceptAxiom(l, r, roll >= shape.equivalences);
            return;
        }
        // Role axioms only lead from a role to one of a higher number (a
        // chain may also end in its own last or first role), so that the
        // role hierarchy is a regular one, as OWL reasoners require; a free
        // role axiom picks any roles.
        const bool free = shape.freeRoleAxioms > 0 && chance(shape.freeRoleAxioms);
        if (roll < shape.roleInclusions && roles > 1) {
            unsigned upper = 1 + pick(roles - 1);
            unsigned lower = pick(upper);
            if (free) {
                regularRoles = false;
                upper = pick(roles);
                lower = pick(roles);
            }
            addKrss("(role-inclusion " + roleName(lower) + " " + roleName(upper) + ")");
        } else if (roll < shape.chains) {
            if (shape.longChains > 0 && chance(shape.longChains)) {
                addLongChain(free);
                return;
            }
            if (!pairs.empty() && shape.repeatedPairs > 0 && chance(shape.repeatedPairs)) {
                const std::pair<unsigned, unsigned> earlier = pairs[pick(static_cast<unsigned>(pairs.size()))];
                const unsigned lowest = std::max(earlier.first, earlier.second);
                addChain({earlier.first, earlier.second}, lowest + pick(roles - lowest));
                return;
            }
            const unsigned upper = pick(roles);
            const unsigned r = free ? pick(roles) : pick(upper + 1);
            const unsigned s = free ? pick(roles) : pick(upper + 1);
            if (free)
                regularRoles = false;
            pairs.emplace_back(r, s);
            addChain({r, s}, upper);
        } else {
            addKrss("(transitive " + roleName(pick(roles)) + ")");
        }
    }

    std::mt19937 rng;
    std::string namePrefix;
    RandomOntologyShape shape;
    unsigned concepts = 0;
    unsigned roles = 0;
    bool regularRoles = true;
    // The roles of the chains of two roles so far.
    std::vector<std::pair<unsigned, unsigned>> pairs;
    std::vector<std::string> axiomTexts;
    std::string krssText;
};

#endif
