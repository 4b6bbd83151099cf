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

bool CommandLineOptions::nameForm(const std::string& argument, std::string& name)
{
    if (argument.size() < 4 || argument[2] != '=')
        return false;
    name = argument.substr(3);
    return true;
}

FILE* CommandLineOptions::openInput(const std::string& argument, bool bareIsStandardInput)
{
    if (bareIsStandardInput && argument.size() == 2)
        return stdin;
    std::string name;
    if (!nameForm(argument, name)) {
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
