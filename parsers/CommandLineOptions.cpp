#include "parsers/CommandLineOptions.h"

void CommandLineOptions::parse(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        parseArgument(argv[i]);
}

void CommandLineOptions::invalid(const std::string& argument)
{
    std::fprintf(stderr, "Invalid parameter: %s\n", argument.c_str());
    error = true;
}

bool CommandLineOptions::nameForm(const std::string& argument, std::string& name, std::size_t letters)
{
    if (argument.size() < letters + 2 || argument[letters] != '=')
        return false;
    name = argument.substr(letters + 1);
    return true;
}

FILE* CommandLineOptions::openInput(const std::string& argument, bool bareIsStandardInput, std::size_t letters)
{
    if (bareIsStandardInput && argument.size() == letters)
        return stdin;
    std::string name;
    if (!nameForm(argument, name, letters)) {
        invalid(argument);
        return nullptr;
    }
    FILE* f = CommandLineFiles::openInput(name);
    if (f == nullptr)
        error = true;
    return f;
}

FILE* CommandLineOptions::openOutput(const std::string& argument, std::string& name)
{
    if (!nameForm(argument, name)) {
        invalid(argument);
        return nullptr;
    }
    FILE* f = files.openOutput(name);
    if (f == nullptr)
        error = true;
    return f;
}

void CommandLineOptions::inputInto(const std::string& argument, FILE*& stream, bool bareIsStandardInput,
                                   std::size_t letters)
{
    FILE* f = openInput(argument, bareIsStandardInput, letters);
    if (f != nullptr)
        stream = f;
}

void CommandLineOptions::outputInto(const std::string& argument, FILE*& stream)
{
    std::string name;
    FILE* f = openOutput(argument, name);
    if (f != nullptr)
        stream = f;
}

void CommandLineOptions::debugOption(const std::string& argument, FILE*& stream)
{
    std::string name;
    if (!nameForm(argument, name)) {
        stream = stderr;
        return;
    }
    FILE* f = files.openOutput(name);
    if (f != nullptr)
        stream = f;
}
