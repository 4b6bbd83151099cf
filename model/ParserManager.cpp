#include "model/ParserManager.h"

#include <cstdlib>

// Input stream of the ontology-language scanner.
extern FILE* yyin;

ParserManager* ParserManager::Instance = nullptr;

ParserManager* ParserManager::getInstance()
{
    if (Instance == nullptr)
        Instance = new ParserManager();
    return Instance;
}

void ParserManager::beginInput(std::string* newContext)
{
    if (ownsContext && context != nullptr)
        delete context;
    line = 1;
    warnings = 0;
    endOfInput = false;
    context = newContext;
    ownsContext = true;
}

static const char* moduleName(module_t module)
{
    switch (module) {
    case Lexer: return "Lexer";
    case Parser: return "Parser";
    case Main: return "Main";
    }
    return "";
}

void ParserManager::printStderrMessage(const char* kind, const std::string& message, module_t module,
                                       unsigned int number)
{
    std::fputs("[", stderr);
    if (context != nullptr) {
        std::fputs(context->c_str(), stderr);
        std::fputs(" - ", stderr);
    }
    std::fprintf(stderr, "%s] %s! Line %d: %s", moduleName(module), kind, line, message.c_str());
    if (number != 0)
        std::fprintf(stderr, "%u", number);
    std::fputc('\n', stderr);
}

void ParserManager::postWarning(const std::string& message, module_t module, unsigned int number)
{
    printStderrMessage("WARNING", message, module, number);
    warnings += 1;
}

void ParserManager::postError(const std::string& message, module_t module, unsigned int number)
{
    printStderrMessage("ERROR", message, module, number);
    std::fprintf(stderr, " --- %d errors and %d warnings detected.\n", 1, warnings);
    std::exit(-1);
}

void ParserManager::argError(const std::string& message)
{
    std::fprintf(stderr, "[Main] %s\n", message.c_str());
    std::exit(-1);
}

void ParserManager::argError(const std::string& option, const std::string& program)
{
    std::fprintf(stderr, "[Main] Invalid option '%s'; see '%s' usage help\n", option.c_str(),
                 program.c_str());
    std::exit(-1);
}

FILE* ParserManager::setInputFile(const char* path)
{
    FILE* f = std::fopen(path, "r");
    if (f == nullptr)
        argError(std::string("Can not open the specified input file: '") + path + "'");
    inputFile = f;
    yyin = f;
    nameInput(f, path);
    return f;
}

void ParserManager::nameInput(FILE* stream, const std::string& path)
{
    inputNames[stream] = path;
}

std::string ParserManager::inputName(FILE* stream) const
{
    auto named = inputNames.find(stream);
    if (named != inputNames.end())
        return "file '" + named->second + "'";
    if (stream == stdin)
        return "standard input";
    return "an unnamed input";
}

FILE* ParserManager::setOutputFile(const char* path)
{
    FILE* f = std::fopen(path, "w");
    if (f == nullptr)
        argError(std::string("Can not create the specified output file: '") + path + "'");
    outputFile = f;
    return f;
}
