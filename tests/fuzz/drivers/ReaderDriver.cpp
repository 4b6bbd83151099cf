// A test-only program that reads one file through a reader that no program
// runs, for the fuzzing and for the tests that read back what the programs
// write:
//   reader-driver axioms-information FILE
//       loads the axioms information, then prints the assumptions a query
//       run would take ("assumptions:"), those of them that stand for a lost
//       premise ("lost premises:"), and the axioms information written back;
//   reader-driver simple-encoding FILE
//       copies the encoding into the DIMACS writer on standard output.
// Ends with the reader's status; every error of a reader ends the process
// with status -1 after its diagnostic.
#include <cstdio>
#include <cstring>

#include "encoders/DimacsEncoder.h"
#include "model/ParserManager.h"
#include "parsers/el_axioms_info.h"
#include "parsers/el_dimacs_encoding_simple.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

namespace {

void printAssumptions(const char* title, bool lostPremisesOnly)
{
    const EncodedTBox* encoded = EncodedTBox::getInstance();
    LiteralList* assumptions = encoded->getAxiomsAssumptions();
    std::printf("%s", title);
    for (long v : *assumptions) {
        if (!lostPremisesOnly || encoded->restsOnMissingPremise(LiteralList{v}))
            std::printf(" %ld", v);
    }
    std::printf("\n");
    delete assumptions;
}

int readAxiomsInformation(FILE* input)
{
    axiomsyyin = input;
    int status = axiomsyyparse();
    printAssumptions("assumptions:", false);
    printAssumptions("lost premises:", true);
    EncodedTBox::getInstance()->saveAxiomsAssumptions(stdout);
    return status;
}

int readSimpleEncoding(FILE* input)
{
    TBox::getInstance();
    TBox::CNF_SAT_Encoder = new DimacsEncoder(stdout, stdout);
    simpleencyyin = input;
    return simpleencyyparse();
}

}

int main(int argc, char** argv)
{
    const bool axioms = argc == 3 && std::strcmp(argv[1], "axioms-information") == 0;
    const bool encoding = argc == 3 && std::strcmp(argv[1], "simple-encoding") == 0;
    if (!axioms && !encoding) {
        std::fputs("Usage: reader-driver axioms-information|simple-encoding FILE\n", stderr);
        return 2;
    }
    FILE* input = std::fopen(argv[2], "r");
    if (input == nullptr) {
        std::fprintf(stderr, "Can not read from file: %s\n", argv[2]);
        return 2;
    }
    ParserManager::getInstance()->beginInput(nullptr);
    return axioms ? readAxiomsInformation(input) : readSimpleEncoding(input);
}
