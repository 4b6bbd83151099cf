#ifndef KORVANE_TESTS_RANDOMONTOLOGY_H
#define KORVANE_TESTS_RANDOMONTOLOGY_H

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// A small random EL+ terminology without top and bottom, drawn from a seed:
// inclusions and equivalences between concepts built from a few names with
// conjunctions (repeated and nested operands included) and existential
// restrictions, role inclusions, chains of two roles and transitivities. It
// is written in the ontology language and in OWL functional syntax (its role
// hierarchy kept regular, the condition of OWL on role chains). Every
// concept and role name starts with the given prefix, so that several
// terminologies can share one OWL document without sharing a name.
class RandomOntology {
public:
    RandomOntology(uint32_t seed, const std::string& prefix) : rng(seed), namePrefix(prefix)
    {
        concepts = 3 + pick(3);
        roles = 1 + pick(3);
        const unsigned axioms = 4 + pick(8);
        for (unsigned i = 0; i < axioms; ++i)
            addAxiom();
    }

    const std::string& prefix() const { return namePrefix; }
    const std::string& krss() const { return krssText; }

    // The declarations and axioms, one per line, for an OWL document whose
    // empty prefix is the one of `document`.
    std::string owlAxioms() const
    {
        std::string text;
        for (unsigned i = 0; i < concepts; ++i)
            text += "Declaration(Class(:" + conceptName(i) + "))\n";
        for (unsigned i = 0; i < roles; ++i)
            text += "Declaration(ObjectProperty(:" + roleName(i) + "))\n";
        return text + owlText;
    }

    // One OWL functional-syntax document holding the given terminologies.
    static std::string document(const std::vector<RandomOntology>& ontologies)
    {
        std::string text = "Prefix(:=<http://example.org/random#>)\n"
                           "Prefix(owl:=<http://www.w3.org/2002/07/owl#>)\n"
                           "Ontology(<http://example.org/random>\n";
        for (const RandomOntology& o : ontologies)
            text += o.owlAxioms();
        return text + ")\n";
    }

private:
    // A concept expression written both ways.
    struct Expression {
        std::string krss;
        std::string owl;
    };

    unsigned pick(unsigned n) { return static_cast<unsigned>(rng() % n); }
    bool chance(unsigned percent) { return pick(100) < percent; }

    std::string conceptName(unsigned i) const { return namePrefix + "C" + std::to_string(i); }
    std::string roleName(unsigned i) const { return namePrefix + "r" + std::to_string(i); }

    Expression name()
    {
        std::string n = conceptName(pick(concepts));
        return {n, ":" + n};
    }

    // A conjunction is written in OWL with its repeated operands once, and as
    // its operand alone when only one is left.
    static Expression conjunction(const std::vector<Expression>& operands)
    {
        Expression e{"(and", ""};
        std::vector<std::string> distinct;
        for (const Expression& o : operands) {
            e.krss += " " + o.krss;
            bool seen = false;
            for (const std::string& d : distinct)
                seen = seen || d == o.owl;
            if (!seen)
                distinct.push_back(o.owl);
        }
        e.krss += ")";
        if (distinct.size() == 1) {
            e.owl = distinct[0];
        } else {
            e.owl = "ObjectIntersectionOf(";
            for (std::size_t i = 0; i < distinct.size(); ++i)
                e.owl += (i == 0 ? "" : " ") + distinct[i];
            e.owl += ")";
        }
        return e;
    }

    Expression expression(unsigned depth)
    {
        const unsigned roll = pick(100);
        if (depth == 0 || roll < 40)
            return name();
        if (roll < 75) {
            std::vector<Expression> operands;
            const unsigned count = 2 + pick(2);
            for (unsigned i = 0; i < count; ++i) {
                if (i > 0 && chance(35))
                    operands.push_back(operands[pick(i)]);
                else
                    operands.push_back(expression(depth - 1));
            }
            return conjunction(operands);
        }
        const std::string r = roleName(pick(roles));
        Expression filler = expression(depth - 1);
        return {"(some " + r + " " + filler.krss + ")", "ObjectSomeValuesFrom(:" + r + " " + filler.owl + ")"};
    }

    void addAxiom()
    {
        const unsigned roll = pick(100);
        if (roll < 70) {
            Expression l = expression(2 + pick(2));
            Expression r = expression(2 + pick(2));
            const bool equivalence = roll >= 55;
            krssText += std::string(equivalence ? "(equivalent " : "(implies ") + l.krss + " " + r.krss + ")\n";
            // An axiom between two equal sides says nothing; it is left out.
            if (l.owl != r.owl)
                owlText += std::string(equivalence ? "EquivalentClasses(" : "SubClassOf(") + l.owl + " " + r.owl +
                           ")\n";
            return;
        }
        // Role axioms only lead from a role to one of a higher number (a
        // chain may also end in its own last or first role), so that the
        // role hierarchy is a regular one, as OWL reasoners require.
        if (roll < 80 && roles > 1) {
            const unsigned upper = 1 + pick(roles - 1);
            const std::string r = roleName(pick(upper));
            const std::string s = roleName(upper);
            krssText += "(role-inclusion " + r + " " + s + ")\n";
            owlText += "SubObjectPropertyOf(:" + r + " :" + s + ")\n";
        } else if (roll < 90) {
            const unsigned upper = pick(roles);
            const std::string r = roleName(pick(upper + 1));
            const std::string s = roleName(pick(upper + 1));
            const std::string t = roleName(upper);
            krssText += "(role-inclusion (compose " + r + " " + s + ") " + t + ")\n";
            owlText += "SubObjectPropertyOf(ObjectPropertyChain(:" + r + " :" + s + ") :" + t + ")\n";
        } else {
            const std::string r = roleName(pick(roles));
            krssText += "(transitive " + r + ")\n";
            owlText += "TransitiveObjectProperty(:" + r + ")\n";
        }
    }

    std::mt19937 rng;
    std::string namePrefix;
    unsigned concepts = 0;
    unsigned roles = 0;
    std::string krssText;
    std::string owlText;
};

#endif
