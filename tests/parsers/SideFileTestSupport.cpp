#include "SideFileTestSupport.h"

#include <random>

#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "parsers/el_axioms_info.h"
#include "parsers/el_krss_g_upload.h"
#include "parsers/el_pinpointing_info.h"
#include "reasoner/EncodedTBox.h"
#include "support/LoadedModel.h"
#include "support/ProcessRunner.h"

namespace korvane_test {

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

int childStatus(const std::string& text, int (*parseText)(const std::string&))
{
    ProcessSetup quiet;
    quiet.errorPath = "/dev/null";
    return runInChild([&] { return parseText(text) == 0 ? 0 : 1; }, quiet).status;
}

int acceptedWithoutACrash(const std::vector<std::string>& texts, int (*parseText)(const std::string&))
{
    int accepted = 0;
    for (const std::string& text : texts) {
        int status = childStatus(text, parseText);
        EXPECT_TRUE(status == 0 || status == 255) << status << " for:\n" << text;
        accepted += status == 0;
    }
    return accepted;
}

std::vector<std::string> variedTexts(const std::vector<std::string>& tokens, const std::vector<std::string>& alphabet,
                                     int count, unsigned seed)
{
    static const char* const separators[] = {" ", "\n"};
    std::mt19937 random(seed);
    auto below = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> variant = tokens;
        for (std::size_t edits = below(4); edits > 0 && !variant.empty(); --edits) {
            std::size_t at = below(variant.size());
            switch (below(4)) {
            case 0:
                variant[at] = alphabet[below(alphabet.size())];
                break;
            case 1:
                variant.erase(variant.begin() + static_cast<long>(at));
                break;
            case 2:
                variant.insert(variant.begin() + static_cast<long>(at), variant[at]);
                break;
            default:
                variant.resize(at);
            }
        }
        std::string text;
        for (const std::string& token : variant)
            text += token + separators[below(2)];
        texts.push_back(text);
    }
    return texts;
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

void PrintTo(const RejectedSideFile& c, std::ostream* out)
{
    *out << c.title;
}

void expectRejected(int (*parseText)(const std::string&), const RejectedSideFile& c)
{
    EXPECT_EXIT(parseText(c.input), ::testing::ExitedWithCode(255),
                fatalOutput(c.before, diagnostic(c.context, c.module, "ERROR", c.line, c.message),
                            c.before.empty() ? 0 : 1));
}

} // namespace korvane_test
