#ifndef KORVANE_TESTS_SUPPORT_KRSSTOOWL_H
#define KORVANE_TESTS_SUPPORT_KRSSTOOWL_H

#include <cctype>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// An ontology in the ontology language written in OWL functional syntax, for
// an independent reasoner: every name becomes ":NAME" under the document's
// empty prefix, *top* and *bottom* owl:Thing and owl:Nothing. It reads
// implies, equivalent, role-inclusion (with compose), transitive and
// define-primitive-concept; `;;` comments and |bars| as the language has them.
// The random generators write the ontology language only: this writes
// their OWL.
class KrssToOwl {
public:
    explicit KrssToOwl(const std::string& krss) : text(krss)
    {
        for (skip(); at < text.size(); skip())
            axiom();
    }

    // The declarations of every class and role, then the axioms.
    std::string axioms() const
    {
        std::string out;
        for (const std::string& c : classNames)
            out += "Declaration(Class(:" + c + "))\n";
        for (const std::string& r : roleNames)
            out += "Declaration(ObjectProperty(:" + r + "))\n";
        return out + body;
    }

    // A whole document with the given IRI, the axioms and `extra` before its end.
    std::string document(const std::string& iri = "http://example.org/random", const std::string& extra = "") const
    {
        return "Prefix(:=<" + iri + "#>)\nPrefix(owl:=<http://www.w3.org/2002/07/owl#>)\nOntology(<" + iri +
               ">\n" + axioms() + extra + ")\n";
    }

    // A document with `extra` (declarations and axioms) before its end.
    static std::string withAxioms(const std::string& document, const std::string& extra)
    {
        return document.substr(0, document.rfind(')')) + extra + ")\n";
    }

    // The OWL of a name (top and bottom included), of a conjunction of
    // distinct operands (two or more) and of an existential restriction.
    static std::string className(const std::string& name)
    {
        return name == "*top*" ? "owl:Thing" : name == "*bottom*" ? "owl:Nothing" : ":" + name;
    }
    static std::string intersectionOf(const std::vector<std::string>& distinct)
    {
        std::string out = "ObjectIntersectionOf(";
        for (const std::string& o : distinct)
            out += (&o == &distinct.front() ? "" : " ") + o;
        return out + ")";
    }
    static std::string someValuesFrom(const std::string& role, const std::string& filler)
    {
        return "ObjectSomeValuesFrom(:" + role + " " + filler + ")";
    }

    const std::set<std::string>& classes() const { return classNames; }
    const std::set<std::string>& roles() const { return roleNames; }
    // Every conjunction and existential restriction of the axioms, in the
    // ontology language as written and in OWL, in the order read.
    const std::vector<std::pair<std::string, std::string>>& complexConcepts() const { return complex; }
    // The sides (the ontology language as written, OWL) of every inclusion,
    // L ⊑ R, and of every equivalence in both directions.
    struct Side {
        std::string krss;
        std::string owl;
    };
    const std::vector<std::pair<Side, Side>>& inclusions() const { return told; }

private:
    void skip()
    {
        while (at < text.size()) {
            if (std::isspace(static_cast<unsigned char>(text[at])))
                ++at;
            else if (text.compare(at, 2, ";;") == 0)
                at = text.find('\n', at) == std::string::npos ? text.size() : text.find('\n', at);
            else
                break;
        }
    }

    void expect(char c)
    {
        skip();
        if (at >= text.size() || text[at] != c)
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(at));
        ++at;
    }

    bool peek(char c)
    {
        skip();
        return at < text.size() && text[at] == c;
    }

    std::string word()
    {
        skip();
        if (peek('|')) {
            const std::size_t end = text.find('|', at + 1);
            std::string w = text.substr(at + 1, end - at - 1);
            at = end + 1;
            return w;
        }
        const std::size_t start = at;
        while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at])) && text[at] != '(' &&
               text[at] != ')')
            ++at;
        return text.substr(start, at - start);
    }

    std::string role()
    {
        std::string r = word();
        roleNames.insert(r);
        return r;
    }

    std::string concept()
    {
        if (!peek('(')) {
            std::string n = word();
            if (n != "*top*" && n != "*bottom*")
                classNames.insert(n);
            return className(n);
        }
        expect('(');
        const std::size_t start = at - 1;
        const std::string kind = word();
        std::string out;
        if (kind == "and") {
            std::vector<std::string> operands;
            while (!peek(')'))
                operands.push_back(concept());
            const std::set<std::string> distinct(operands.begin(), operands.end());
            out = distinct.size() == 1 ? *distinct.begin() : intersectionOf({distinct.begin(), distinct.end()});
        } else if (kind == "some") {
            const std::string r = role();
            out = someValuesFrom(r, concept());
        } else {
            throw std::runtime_error("unknown concept form " + kind);
        }
        expect(')');
        complex.emplace_back(text.substr(start, at - start), out);
        return out;
    }

    void axiom()
    {
        expect('(');
        const std::string kind = word();
        if (kind == "implies" || kind == "equivalent") {
            skip();
            std::size_t start = at;
            const std::string l = concept();
            const Side left{text.substr(start, at - start), l};
            skip();
            start = at;
            const std::string r = concept();
            const Side right{text.substr(start, at - start), r};
            told.emplace_back(left, right);
            if (kind == "equivalent")
                told.emplace_back(right, left);
            if (l != r)
                body += (kind == "implies" ? "SubClassOf(" : "EquivalentClasses(") + l + " " + r + ")\n";
        } else if (kind == "define-primitive-concept") {
            concept();
        } else if (kind == "transitive") {
            body += "TransitiveObjectProperty(:" + role() + ")\n";
        } else if (kind == "role-inclusion") {
            std::string sub;
            if (peek('(')) {
                expect('(');
                word(); // compose
                sub = "ObjectPropertyChain(";
                for (bool first = true; !peek(')'); first = false)
                    sub += (first ? ":" : " :") + role();
                expect(')');
                sub += ")";
            } else {
                sub = ":" + role();
            }
            body += "SubObjectPropertyOf(" + sub + " :" + role() + ")\n";
        } else {
            throw std::runtime_error("unknown axiom form " + kind);
        }
        expect(')');
    }

    const std::string text;
    std::size_t at = 0;
    std::set<std::string> classNames;
    std::set<std::string> roleNames;
    std::vector<std::pair<std::string, std::string>> complex;
    std::vector<std::pair<Side, Side>> told;
    std::string body;
};

#endif
