#include "parsers/GrammarSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "model/ParserManager.h"

void GrammarSupport::beginInput(const char* context)
{
    ParserManager::getInstance()->beginInput(context == nullptr ? nullptr : new std::string(context));
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
