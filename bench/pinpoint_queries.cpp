// Times pinpointing queries on a stored encoding through the in-process
// encoder in propagation-only mode.
//
//   bench_pinpoint_queries ENCODING ASSUMPTIONS [QUERIES [SEED]]
//     ENCODING     an encoding file: header lines ("c ...", "p cnf ...") and
//                  the DIMACS clause lines
//     ASSUMPTIONS  the assumption list: one axiom variable per line
//     loads the clauses, prepares pinpointing with the assumption list and
//     asks QUERIES (default 10000) random queries sub ⊑ super between
//     variables outside the assumption list (seeded by SEED, default 1).
//
//   bench_pinpoint_queries generate CLAUSES SEED ENCODING ASSUMPTIONS
//     writes a synthetic terminology-like Horn encoding of about CLAUSES
//     clauses and its assumption list: a third of the clauses are told
//     axioms "-selector -concept parent" over a random hierarchy (parents
//     have smaller numbers), the rest are unguarded "-a parent" and
//     "-a -b parent" clauses.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "encoders/CoreSolverEncoder.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool readFile(const char* path, std::vector<char>& text)
{
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return false;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
        text.insert(text.end(), chunk, chunk + n);
    std::fclose(f);
    text.push_back('\0');
    return true;
}

// Hands every clause of the encoding to the encoder; header lines and
// comments are skipped. Returns the largest variable met, or -1 on a
// malformed file.
long loadEncoding(const std::vector<char>& text, CoreSolverEncoder& encoder, unsigned long& clauses)
{
    const char* p = text.data();
    LiteralList clause;
    long largest = 0;
    clauses = 0;
    while (*p != '\0') {
        while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
            ++p;
        if (*p == 'c' || *p == 'p') {
            while (*p != '\0' && *p != '\n')
                ++p;
            continue;
        }
        if (*p == '\0')
            break;
        char* end;
        long literal = std::strtol(p, &end, 10);
        if (end == p)
            return -1;
        p = end;
        if (literal == 0) {
            if (encoder.addClause(&clause, nullptr, 0))
                ++clauses;
            clause.clear();
            continue;
        }
        clause.push_back(literal);
        long v = literal < 0 ? -literal : literal;
        if (v > largest)
            largest = v;
    }
    if (!clause.empty() && encoder.addClause(&clause, nullptr, 0))
        ++clauses;
    return largest;
}

int runQueries(int argc, char** argv)
{
    const char* encodingPath = argv[1];
    const char* assumptionsPath = argv[2];
    long queries = argc > 3 ? std::atol(argv[3]) : 10000;
    unsigned seed = argc > 4 ? static_cast<unsigned>(std::atol(argv[4])) : 1u;

    std::vector<char> text;
    if (!readFile(encodingPath, text)) {
        std::fprintf(stderr, "Can not read file: %s\n", encodingPath);
        return 1;
    }
    std::vector<char> assumptionText;
    if (!readFile(assumptionsPath, assumptionText)) {
        std::fprintf(stderr, "Can not read file: %s\n", assumptionsPath);
        return 1;
    }

    CoreSolverEncoder encoder(nullptr, stdout, nullptr, true);
    Clock::time_point start = Clock::now();
    unsigned long clauses = 0;
    long variables = loadEncoding(text, encoder, clauses);
    if (variables < 0) {
        std::fprintf(stderr, "Malformed encoding: %s\n", encodingPath);
        return 1;
    }
    text = std::vector<char>();
    if (!encoder.endEncoding(false, static_cast<unsigned long>(variables), clauses, 0, 0)) {
        std::fprintf(stderr, "The encoding is unsatisfiable\n");
        return 1;
    }
    double loadSeconds = secondsSince(start);

    LiteralList assumptions;
    std::vector<char> isAssumption(static_cast<std::size_t>(variables) + 1, 0);
    for (const char* p = assumptionText.data(); *p != '\0';) {
        char* end;
        long v = std::strtol(p, &end, 10);
        if (end == p) {
            ++p;
            continue;
        }
        p = end;
        assumptions.push_back(v);
        if (v > 0 && v <= variables)
            isAssumption[static_cast<std::size_t>(v)] = 1;
    }
    std::vector<long> candidates;
    for (long v = 1; v <= variables; ++v) {
        if (!isAssumption[static_cast<std::size_t>(v)])
            candidates.push_back(v);
    }
    if (candidates.empty()) {
        std::fprintf(stderr, "No variable outside the assumption list\n");
        return 1;
    }

    start = Clock::now();
    encoder.preparePinpointing(&assumptions);
    double prepareSeconds = secondsSince(start);

    std::mt19937_64 random(seed);
    std::vector<std::pair<long, long>> pairs(static_cast<std::size_t>(queries));
    for (auto& q : pairs) {
        q.first = candidates[random() % candidates.size()];
        q.second = candidates[random() % candidates.size()];
    }

    const Solver& solver = encoder.getSolver();
    uint64_t propagationsBefore = solver.propagationCount;
    long subsumed = 0;
    long pinpointed = 0;
    std::vector<double> times;
    times.reserve(pairs.size());
    start = Clock::now();
    for (const auto& q : pairs) {
        Clock::time_point one = Clock::now();
        std::unique_ptr<LiteralList> found(encoder.checkSatisfiabilityAndPinpoint(q.first, q.second, nullptr, false, 0, 0));
        times.push_back(secondsSince(one));
        if (found) {
            ++subsumed;
            pinpointed += static_cast<long>(found->size());
        }
    }
    double querySeconds = secondsSince(start);
    uint64_t propagations = solver.propagationCount - propagationsBefore;
    std::sort(times.begin(), times.end());
    auto percentile = [&](double p) {
        return times.empty() ? 0.0 : 1000.0 * times[static_cast<std::size_t>(p * (times.size() - 1))];
    };

    std::printf("variables %ld clauses %lu assumptions %zu load_s %.3f prepare_s %.3f\n", variables, clauses,
                assumptions.size(), loadSeconds, prepareSeconds);
    std::printf("queries %ld subsumed %ld mean_pinpointed %.1f seconds %.3f queries_per_s %.0f\n", queries, subsumed,
                subsumed > 0 ? static_cast<double>(pinpointed) / subsumed : 0.0, querySeconds,
                querySeconds > 0 ? queries / querySeconds : 0.0);
    std::printf("ms_per_query mean %.4f median %.4f p99 %.3f max %.3f propagations_per_query %.1f\n",
                queries > 0 ? 1000.0 * querySeconds / queries : 0.0, percentile(0.5), percentile(0.99),
                percentile(1.0), queries > 0 ? static_cast<double>(propagations) / queries : 0.0);
    return 0;
}

int generate(char** argv)
{
    long total = std::atol(argv[2]);
    std::mt19937_64 random(static_cast<unsigned long>(std::atol(argv[3])));
    FILE* encoding = std::fopen(argv[4], "w");
    FILE* assumptions = std::fopen(argv[5], "w");
    if (encoding == nullptr || assumptions == nullptr || total < 3) {
        std::fprintf(stderr, "Can not write the files, or too few clauses\n");
        return 1;
    }
    long told = total / 3;            // one selector per told axiom
    long concepts = told + 1;         // concept i > 0 has a told parent
    long first = told + 1;            // variable of concept 0
    auto conceptVar = [&](long i) { return first + i; };
    auto parentOf = [&](long i) { return static_cast<long>(random() % static_cast<unsigned long>(i)); };

    std::fprintf(encoding, "c axioms %ld deduced %ld\np cnf %ld %ld\n", told, total - told, told + concepts, total);
    for (long i = 1; i < concepts; ++i) {
        std::fprintf(encoding, "-%ld -%ld %ld 0\n", i, conceptVar(i), conceptVar(parentOf(i)));
        std::fprintf(assumptions, "%ld\n", i);
    }
    for (long c = told; c < total; ++c) {
        long a = 1 + static_cast<long>(random() % static_cast<unsigned long>(concepts - 1));
        if (random() % 2 == 0) {
            std::fprintf(encoding, "-%ld %ld 0\n", conceptVar(a), conceptVar(parentOf(a)));
        } else {
            long b = 1 + static_cast<long>(random() % static_cast<unsigned long>(concepts - 1));
            long low = a < b ? a : b;
            std::fprintf(encoding, "-%ld -%ld %ld 0\n", conceptVar(a), conceptVar(b), conceptVar(parentOf(low)));
        }
    }
    std::fclose(encoding);
    std::fclose(assumptions);
    return 0;
}

}

int main(int argc, char** argv)
{
    if (argc == 6 && std::strcmp(argv[1], "generate") == 0)
        return generate(argv);
    if (argc >= 3 && argc <= 5)
        return runQueries(argc, argv);
    std::fprintf(stderr,
                 "usage: %s ENCODING ASSUMPTIONS [QUERIES [SEED]]\n"
                 "       %s generate CLAUSES SEED ENCODING ASSUMPTIONS\n",
                 argv[0], argv[0]);
    return 2;
}
