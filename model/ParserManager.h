#ifndef KORVANE_MODEL_PARSERMANAGER_H
#define KORVANE_MODEL_PARSERMANAGER_H

#include <cstdio>
#include <map>
#include <string>

// Source of a diagnostic; the printed names are fixed.
enum module_t { Lexer = 0, Parser = 1, Main = 2 };

// The one collector of diagnostics for every scanner, grammar and driver.
// Warnings are printed and counted; the first error ends the process.
class ParserManager {
public:
    static ParserManager* Instance;
    static ParserManager* getInstance();

    // Starts a new input: line 1, no warnings, the given context (owned from now on).
    void beginInput(std::string* context);

    void printStderrMessage(const char* kind, const std::string& message, module_t module,
                            unsigned int number = 0);
    void postWarning(const std::string& message, module_t module, unsigned int number = 0);
    [[noreturn]] void postError(const std::string& message, module_t module, unsigned int number = 0);
    [[noreturn]] void argError(const std::string& message);
    [[noreturn]] void argError(const std::string& option, const std::string& program);

    FILE* setInputFile(const char* path);
    FILE* setOutputFile(const char* path);

    // Names an input stream for diagnostics about reading it: a driver names
    // every file it opens for a grammar (setInputFile does so itself).
    void nameInput(FILE* stream, const std::string& path);
    // The input as a diagnostic names it: "file 'NAME'" for a named file,
    // "standard input", or "an unnamed input" for any other stream.
    std::string inputName(FILE* stream) const;

    bool endOfInput = false;
    FILE* outputFile = stdout;
    FILE* inputFile = nullptr;
    int line = 1;
    int warnings = 0;
    bool ownsContext = false;
    std::string* context = nullptr;

private:
    ParserManager() = default;

    std::map<FILE*, std::string> inputNames;
};

#endif
