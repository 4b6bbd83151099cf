#ifndef KORVANE_REASONER_NORMALIZATIONMAPFORM_H
#define KORVANE_REASONER_NORMALIZATIONMAPFORM_H

#include <cstdio>
#include <string>

class Concept;
class Role;

// Concepts and roles as the normalisation map writes them: their file form,
// except that a name the map's reader would not read back as that name is
// written between bars. The reader takes top and bottom for the trivial
// concepts, the language's words for keywords, a run of digits not starting
// with 0 for a number, and "#" for the mark of a fresh concept; a name is also
// read only from a letter or a digit on. Every other name is written as is.
class NormalizationMapForm {
public:
    NormalizationMapForm() = delete;

    static bool needsBars(const std::string& name);
    static void printConcept(FILE* out, const Concept* c);
    static void printRole(FILE* out, const Role* r);

private:
    static void printName(FILE* out, const std::string& name);
};

#endif
