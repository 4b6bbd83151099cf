#include "QueryTestSupport.h"

#include <cstdio>

#include "ParserTestSupport.h"
#include "parsers/el_krss_g_query_simple.h"

namespace korvane_test {

int parseQueries(const std::string& text)
{
    return parseFrom(text, simplequeryyyin, simplequeryyyparse);
}

void parseQueriesFromStandardInput()
{
    simplequeryyyin = stdin;
    simplequeryyyparse();
}

ProcessResult runWithStandardInput(const std::string& input, const std::function<void()>& body)
{
    ProcessSetup setup;
    setup.input = input;
    return runInChild(
        [&body] {
            body();
            return 0;
        },
        setup);
}

} // namespace korvane_test
