#include "parsers/QueryRun.h"

#include "model/ParserManager.h"
#include "model/timer.h"
#include "parsers/CommandLineFiles.h"
#include "parsers/SimpleQueryActions.h"
#include "parsers/el_krss_g_query_simple.h"

void QueryRun::answer(FILE* queries, const CommandLineFiles& files, SimpleQueryActions& actions)
{
    SimpleQueryActions::install(&actions);
    files.check();
    ParserManager::getInstance()->beginInput(nullptr);
    simplequeryyyin = queries;
    files.checkAtExit();
    simplequeryyyparse();
    CommandLineFiles::uncheckAtExit();
}

int QueryRun::finish(timer& stopwatch, const CommandLineFiles& files)
{
    stopwatch.restart();
    return finish(stopwatch.elapsed(), files);
}

int QueryRun::finish(double totalSeconds, const CommandLineFiles& files)
{
    std::fprintf(stderr, "TOTAL TIME (CPU-sec): %f\n", totalSeconds);
    files.check();
    return 0;
}
