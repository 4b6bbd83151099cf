#include "SideFileTestSupport.h"

#include "ParserTestSupport.h"
#include "TestSupport.h"
#include "parsers/el_axioms_info.h"
#include "parsers/el_krss_g_upload.h"
#include "parsers/el_pinpointing_info.h"
#include "reasoner/EncodedTBox.h"

namespace korvane_test {

void resetSideFileState()
{
    resetModel();
    EncodedTBox::Instance = nullptr;
    EncodedTBox::use_original_axiom_index = false;
}

int parseMap(const std::string& text)
{
    return parseFrom(text, uploadyyin, uploadyyparse);
}

int parsePinpointingInfo(const std::string& text)
{
    return parseFrom(text, pinpyyin, pinpyyparse);
}

int parseAxiomsInfo(const std::string& text)
{
    return parseFrom(text, axiomsyyin, axiomsyyparse);
}

std::string diagnostic(const std::string& context, const std::string& module, const std::string& kind, int line,
                       const std::string& message, unsigned int number)
{
    return "[" + (context.empty() ? "" : context + " - ") + module + "] " + kind + "! Line " +
           std::to_string(line) + ": " + message + (number != 0 ? std::to_string(number) : "") + "\n";
}

std::string unrecognized(const std::string& text)
{
    return "Unrecognized token: '" + text + "' (or no new line before end of file)";
}

std::string warningsSummary(int count)
{
    return " --- " + std::to_string(count) + " warnings detected.\n";
}

std::string fatalOutput(const std::string& before, const std::string& error, int warnings)
{
    return literal(before + error + " --- 1 errors and " + std::to_string(warnings) + " warnings detected.\n");
}

} // namespace korvane_test
