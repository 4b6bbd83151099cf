#include "parsers/GrammarSupport.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "model/ParserManager.h"

void GrammarSupport::beginInput(const char* context)
{
    ParserManager::getInstance()->beginInput(context == nullptr ? nullptr : new std::string(context));
}

[[noreturn]] static void readError(FILE* input, int error)
{
    ParserManager* manager = ParserManager::getInstance();
    manager->postError("Can not read from " + manager->inputName(input) + ": " + std::strerror(error), Lexer);
}

unsigned long GrammarSupport::regularFileBytes(FILE* input)
{
    struct stat status;
    if (input == nullptr || fstat(fileno(input), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0)
        return 0;
    return static_cast<unsigned long>(status.st_size);
}

std::size_t GrammarSupport::readInput(FILE* input, char* buffer, std::size_t size, bool interactive)
{
    std::size_t n = 0;
    while (n < size) {
        if (interactive) {
            int c = std::getc(input);
            if (c != EOF) {
                buffer[n++] = static_cast<char>(c);
                if (c == '\n')
                    break;
                continue;
            }
        } else {
            n += std::fread(buffer + n, 1, size - n, input);
            if (n != 0)
                break;
        }
        if (!std::ferror(input))
            break;
        // An interrupted read is tried again; any other failure is fatal.
        if (errno != EINTR)
            readError(input, errno);
        std::clearerr(input);
    }
    return n;
}

void GrammarSupport::holdClosedStandardInput()
{
    // The lowest free descriptor is the one standard input left.
    if (fcntl(STDIN_FILENO, F_GETFD) == -1 && errno == EBADF)
        open("/dev/null", O_WRONLY);
}

void GrammarSupport::newLine()
{
    ParserManager::getInstance()->line += 1;
}

void GrammarSupport::unrecognizedToken(const char* text)
{
    // The text is taken as a C string: a NUL byte in the input prints as ''.
    ParserManager::getInstance()->postError(
        std::string("Unrecognized token: '") + (text == nullptr ? "" : text) +
            "' (or no new line before end of file)",
        Lexer);
}

void GrammarSupport::endOfInput()
{
    ParserManager* manager = ParserManager::getInstance();
    manager->endOfInput = true;
    if (manager->warnings != 0)
        std::fprintf(stderr, " --- %d warnings detected.\n", manager->warnings);
}

void GrammarSupport::syntaxError(const char* message, const char* tokenText)
{
    std::string text(message == nullptr ? "" : message);
    if (tokenText != nullptr && tokenText[0] != '\0')
        text += std::string(" near token '") + tokenText + "'";
    ParserManager::getInstance()->postError(text, Parser);
}

char* GrammarSupport::copyText(const char* text, std::size_t length)
{
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy == nullptr)
        throw std::bad_alloc();
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}
