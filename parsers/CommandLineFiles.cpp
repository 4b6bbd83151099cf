#include "parsers/CommandLineFiles.h"

#include <cstdlib>

#include "model/ParserManager.h"

const CommandLineFiles* CommandLineFiles::checkedAtExit = nullptr;

FILE* CommandLineFiles::openInput(const std::string& name)
{
    FILE* f = std::fopen(name.c_str(), "r");
    if (f == nullptr) {
        std::fprintf(stderr, "Can not read from file: %s\n", name.c_str());
        return nullptr;
    }
    ParserManager::getInstance()->nameInput(f, name);
    return f;
}

FILE* CommandLineFiles::openOutput(const std::string& name)
{
    FILE* f = std::fopen(name.c_str(), "w");
    if (f == nullptr) {
        std::fprintf(stderr, "Can not write file: %s\n", name.c_str());
        return nullptr;
    }
    outputs.push_back({name, f});
    return f;
}

// A named output that could not be written completely is an error, not a
// silently truncated file.
bool CommandLineFiles::written() const
{
    bool complete = true;
    for (const NamedOutput& output : outputs) {
        if (std::fflush(output.stream) != 0 || std::ferror(output.stream)) {
            std::fprintf(stderr, "[Main] Can not write the output file: '%s'\n", output.name.c_str());
            complete = false;
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("[Main] Can not write the standard output\n", stderr);
        complete = false;
    }
    return complete;
}

void CommandLineFiles::check() const
{
    if (!written())
        std::exit(-1);
}

void CommandLineFiles::checkAtExit() const
{
    static bool registered = false;
    if (!registered) {
        std::atexit(exitCheck);
        registered = true;
    }
    checkedAtExit = this;
}

void CommandLineFiles::uncheckAtExit()
{
    checkedAtExit = nullptr;
}

void CommandLineFiles::exitCheck()
{
    if (checkedAtExit != nullptr && !checkedAtExit->written())
        std::_Exit(-1);
}
