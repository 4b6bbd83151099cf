#ifndef KORVANE_TESTS_SUPPORT_ENCODEDSUBSUMPTIONS_H
#define KORVANE_TESTS_SUPPORT_ENCODEDSUBSUMPTIONS_H

#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "encoders/DimacsEncoder.h"
#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"

// The DIMACS text of a classified terminology's encoding and seeded queries
// between its named concepts, half of them holding per the subsumed lists.
namespace encoded_subsumptions {

struct Query {
    Concept* sub;
    Concept* super;
    bool holds;
};

inline std::string takeStream(FILE* stream, char*& buffer, std::size_t& size)
{
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

// The header and clause lines of the encoding, with room in the problem
// line for the two unit clauses of a query; empty when the problem line is
// missing.
inline std::string encodeForQueries(TBox* tbox)
{
    char* bodyBuffer = nullptr;
    char* headerBuffer = nullptr;
    std::size_t bodySize = 0, headerSize = 0;
    FILE* body = open_memstream(&bodyBuffer, &bodySize);
    FILE* header = open_memstream(&headerBuffer, &headerSize);
    TBox::CNF_SAT_Encoder = new DimacsEncoder(body, header);
    unsigned long variables = 0, clauseCount = 0;
    tbox->encodeIntoSat(false, &variables, &clauseCount);
    delete TBox::CNF_SAT_Encoder;
    TBox::CNF_SAT_Encoder = nullptr;
    std::string clauses = takeStream(body, bodyBuffer, bodySize);
    std::string head = takeStream(header, headerBuffer, headerSize);
    std::string problem = "p cnf " + std::to_string(variables) + " " + std::to_string(clauseCount);
    std::size_t at = head.find(problem + "\n");
    if (at == std::string::npos)
        return "";
    head.replace(at, problem.size(), "p cnf " + std::to_string(variables) + " " + std::to_string(clauseCount + 2));
    return head + clauses;
}

inline std::string withQuery(const std::string& cnf, const Query& q)
{
    return cnf + std::to_string(q.sub->encodingId) + " 0\n-" + std::to_string(q.super->encodingId) + " 0\n";
}

// Up to half holding pairs (A ⊑ B, A ≠ B, both named, A in B's subsumed
// list) and up to half others between named concepts that have variables.
inline std::vector<Query> sampleQueries(TBox* tbox, std::size_t half, unsigned seed, std::size_t* holdingCount)
{
    std::vector<std::pair<Concept*, Concept*>> holding;
    std::set<std::pair<Concept*, Concept*>> holdingSet;
    std::vector<Concept*> encoded;
    for (Concept* super : tbox->normalizedConcepts) {
        if (super->kind != PRIMITIVE_CONCEPT)
            continue;
        if (super->encodingId != 0)
            encoded.push_back(super);
        if (super->deduction.subsumed == nullptr)
            continue;
        for (Concept* sub : *super->deduction.subsumed)
            if (sub->kind == PRIMITIVE_CONCEPT && sub != super && holdingSet.insert({sub, super}).second)
                holding.emplace_back(sub, super);
    }
    *holdingCount = holding.size();
    std::mt19937 random(seed);
    std::vector<Query> queries;
    for (std::size_t i = 0; i < half && !holding.empty(); ++i) {
        const auto& pair = holding[std::uniform_int_distribution<std::size_t>(0, holding.size() - 1)(random)];
        queries.push_back({pair.first, pair.second, true});
    }
    std::size_t wanted = queries.size() + half;
    for (std::size_t tries = 0; queries.size() < wanted && encoded.size() > 1 && tries < 50 * half; ++tries) {
        std::uniform_int_distribution<std::size_t> pick(0, encoded.size() - 1);
        Concept* sub = encoded[pick(random)];
        Concept* super = encoded[pick(random)];
        if (sub != super && holdingSet.count({sub, super}) == 0)
            queries.push_back({sub, super, false});
    }
    return queries;
}

inline const std::string& nameOf(const Concept* c)
{
    return static_cast<const PrimitiveConcept*>(c)->name;
}

} // namespace encoded_subsumptions

#endif
