// The pinpointer: enumerates the MinAs of literal queries on an encoding
// written by the classifier, optionally within the cone of influence of each
// query or a module.

#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <new>
#include <set>
#include <string>

#include "pinpointer/InputError.h"
#include "pinpointer/PinpointerOptions.h"
#include "pinpointer/PinpointingSolver.h"
#include "pinpointer/RelevantClauses.h"
#include "pinpointer/SelectorNumbering.h"
#include "pinpointer/cone_module.h"
#include "pinpointer/input_readers.h"
#include "pinpointer/literal_output.h"
#include "pinpointer/mina_enumeration.h"
#include "pinpointer/timer.h"

namespace {

// One input: a named file, or standard input.
class Input {
public:
    Input(PinpointerOptions::Source source, const std::string& file, const std::string& kind) {
        if (source == PinpointerOptions::Source::standard_input) {
            name = kind + " on standard input";
            return;
        }
        name = kind + " '" + file + "'";
        opened.reset(new std::ifstream(file));
        if (!opened->is_open()) throw InputError("cannot open the " + name);
    }
    std::istream& stream() { return opened ? *opened : std::cin; }
    bool interactive() const { return !opened; }

    std::string name;

private:
    std::unique_ptr<std::ifstream> opened;
};

void prompt() { std::cout << "<korvane>$ " << std::flush; }

// Results that standard output does not take are lost: false, with a
// message, once it has failed.
bool output_written() {
    if (std::cout.flush()) return true;
    std::cerr << "pinpointer: cannot write to standard output\n";
    return false;
}

void print_results(MinASet& results) {
    std::cout << "PINPOINTING RESULTS:\n"
              << "--------------------\n";
    for (vec<Lit>* mina : results) {
        print_literals(std::cout, *mina);
        std::cout << "\n";
        delete mina;
    }
    results.clear();
}

int run(const PinpointerOptions& options) {
    Input assumptionInput(options.assumptionsFrom, options.assumptionsFile, "assumption list");
    Input encodingInput(options.encodingFrom, options.encodingFile, "encoding");
    std::unique_ptr<Input> moduleInput;
    if (options.module) moduleInput.reset(new Input(PinpointerOptions::Source::file, options.moduleFile, "module file"));
    Input queryInput(options.queriesFrom, options.queriesFile, "query file");
    if (queryInput.interactive()) queryInput.name = "queries on standard input";

    usertime::timer stopwatch;
    stopwatch.reset();
    stopwatch.start();
    const int verbosity = options.verbosity;

    vec<int> assumptionList;
    read_assumption_list(assumptionInput.stream(), assumptionInput.name, assumptionList);
    ClauseList clauses;
    int declaredVariables = read_encoding(encodingInput.stream(), encodingInput.name, assumptionList.size(), clauses);

    std::set<int> moduleSet;
    vec<int> moduleSelectors;
    vec<Lit> excludedSelectors;
    if (moduleInput) {
        std::set<int> listed;
        read_module_file(moduleInput->stream(), moduleInput->name, listed);
        from_cone_to_module(assumptionList, listed, moduleSet, moduleSelectors, excludedSelectors, verbosity);
    }

    // Under the cone of influence the three enumeration solvers are loaded
    // per query, over the clauses and selectors that can matter for it;
    // otherwise one test solver holds the whole encoding for the run.
    std::unique_ptr<PinpointingSolver> candidateSolver(new PinpointingSolver());
    std::unique_ptr<PinpointingSolver> foundSolver(new PinpointingSolver());
    std::unique_ptr<PinpointingSolver> testSolver(new PinpointingSolver());
    PinpointingSolver coneSolver;
    RelevantClauses relevantClauses;
    prepare_pinpointing(assumptionList, clauses, *candidateSolver, *testSolver, *foundSolver,
                        options.cone ? &coneSolver : nullptr, options.cone ? &relevantClauses : nullptr, verbosity,
                        stopwatch);
    // Variables that the problem line declares but no clause uses can be
    // asked about too. Such a variable constrains nothing, so one spare
    // variable after the used ones stands for all of them, however many
    // the problem line declares.
    PinpointingSolver& whole = options.cone ? coneSolver : *testSolver;
    const int usedVariables = whole.nVars();
    const int variableCount = declaredVariables > usedVariables ? declaredVariables : usedVariables;
    if (variableCount > usedVariables) whole.newVar(true, true);
    if (options.cone) relevantClauses.reserveVariables(whole.nVars());

    std::istream& queries = queryInput.stream();
    const bool interactive = queryInput.interactive();
    if (interactive) prompt();
    MinASet results;
    vec<int> coneSelectors;
    SelectorNumbering numbering;
    bool firstSearch = true;
    int number;
    while (read_query(queries, queryInput.name, interactive, number)) {
        int magnitude = number < 0 ? -number : number;
        if (magnitude > variableCount) {
            throw InputError(queryInput.name + ": the query " + std::to_string(number) +
                             " names no variable of the encoding (it has " + std::to_string(variableCount) +
                             " variables)");
        }
        Lit query = magnitude > usedVariables ? Lit(usedVariables, number < 0) : cnf_literal(number);
        if (verbosity >= VERBOSITY_TRACE) std::cout << "QUERY: " << number << "\n";
        results.clear();

        vec<int>& selectorList = options.module ? moduleSelectors : assumptionList;
        if (options.cone) {
            moduleSet.clear();
            coneSelectors.clear();
            excludedSelectors.clear();
            compute_module(coneSolver, selectorList, assumptionList,
                           options.expand, options.boundTwoLiteral, query, moduleSet, coneSelectors,
                           excludedSelectors, options.onlyModule ? VERBOSITY_ONLY_MODULE : verbosity, stopwatch, magnitude - 1);
        }
        if (options.onlyModule) {
            if (interactive) prompt();
            if (!output_written()) return 1;
            continue;
        }

        if (!firstSearch) {
            candidateSolver.reset(new PinpointingSolver());
            foundSolver.reset(new PinpointingSolver());
            if (options.cone) {
                testSolver.reset(new PinpointingSolver());
            } else {
                reset_between_queries(assumptionList, *candidateSolver, *testSolver, *foundSolver, stopwatch);
            }
        }
        if (options.cone) {
            load_cone_query(relevantClauses, query, coneSelectors, selectorList, assumptionList.size(),
                            *candidateSolver, *testSolver, *foundSolver, numbering, !firstSearch, stopwatch);
            perform_pinpointing(*candidateSolver, *testSolver, *foundSolver, assumptionList,
                                numbering.excludedSelectors, numbering.coneSelectors, true, numbering.query, results,
                                options.minaLimit, verbosity, stopwatch, &numbering);
        } else {
            perform_pinpointing(*candidateSolver, *testSolver, *foundSolver, assumptionList, excludedSelectors,
                                coneSelectors, false, query, results, options.minaLimit, verbosity, stopwatch);
        }
        firstSearch = false;
        std::cerr << "COMPLETE THE SEARCH (CPU-sec): " << stopwatch.elapsed(true) << "\n";
        stopwatch.stop();
        if (options.minaLimit != 1) print_results(results);
        if (interactive) prompt();
        if (!output_written()) return 1;
    }
    if (!output_written()) return 1;

    std::cerr << "MISSING (CPU-sec): " << stopwatch.elapsed(true) << "\n";
    stopwatch.restart();
    std::cerr << "TOTAL TIME (CPU-sec): " << stopwatch.elapsed(false) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::cout << std::fixed << std::setprecision(8);
    std::cerr << std::fixed << std::setprecision(8);

    PinpointerOptions options;
    int status = options.parse(argc, argv, std::cout, std::cerr);
    if (status == 0 && !output_written()) return 1;
    if (status >= 0) return status;
    try {
        return run(options);
    } catch (const InputError& error) {
        std::cout.flush();
        std::cerr << "pinpointer: " << error.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << "pinpointer: out of memory\n";
    }
    return 1;
}
