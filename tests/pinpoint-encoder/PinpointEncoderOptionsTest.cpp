// The pinpoint-encoder's command line: the arguments it accepts, the
// messages of the ones it rejects, and the checks of its streams.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PinpointEncoderProcess.h"
#include "support/InvalidParameters.h"

namespace pinpoint_encoder_e2e {
namespace {

TEST(PinpointEncoderOptions, WithoutArgumentsBothInputsWouldBeStandardInput)
{
    ProcessResult r = pinpointEncode({});
    EXPECT_EQ(r.err, "The original encoding and the pinpointing information file cannot be both read from "
                     "standard input!\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 255);
}

TEST(PinpointEncoderOptions, EveryInvalidArgumentIsReportedBeforeTheRunStops)
{
    Files files;
    const std::string encoding = "-i=" + files.write("enc", kChainEncoding);
    const std::string info = "-p=" + files.write("pin", kChainPinpointing);
    // Not an option, letters without an option or outside a to v, file
    // options without "=name", inputs with a suffix, flags with a suffix.
    const std::vector<std::string> invalid = {"foo", "-",   "-b",  "-c",   "-e",  "-f",  "-j", "-k",
                                              "-l",  "-n",  "-r",  "-s",   "-t",  "-w",  "-z", "-A",
                                              "-o",  "-o=", "-ox", "-a",   "-h=", "-v",  "-v=", "-ix",
                                              "-i=", "-px", "-q:x", "-mx", "-gg", "-u=1"};
    std::vector<std::string> arguments = {encoding, info};
    arguments.insert(arguments.end(), invalid.begin(), invalid.end());
    expectInvalidParameters(pinpointEncode(arguments), invalid);
}

TEST(PinpointEncoderOptions, EmptyArgumentsAreIgnored)
{
    Files files;
    ProcessResult r = pinpointEncode(
        {"", "-i=" + files.write("enc", kChainEncoding), "", "-p=" + files.write("pin", kChainPinpointing)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kChainPinpointingBody);
}

TEST(PinpointEncoderOptions, FilesThatCannotBeOpenedAreReportedAmongTheOtherErrors)
{
    Files files;
    const std::string missing = files.path("missing");
    const std::string nowhere = files.path("no-such-directory/file");
    ProcessResult r = pinpointEncode({"-i=" + missing, "-p=" + missing, "-q=" + missing, "-v=" + missing,
                                      "-o=" + nowhere, "-h=" + nowhere, "-a=" + nowhere});
    EXPECT_EQ(r.err, "Can not read from file: " + missing + "\nCan not read from file: " + missing +
                         "\nCan not read from file: " + missing + "\nCan not read from file: " + missing +
                         "\nCan not write file: " + nowhere + "\nCan not write file: " + nowhere +
                         "\nCan not write file: " + nowhere +
                         "\nThe original encoding and the pinpointing information file cannot be both read "
                         "from standard input!\n");
    EXPECT_EQ(r.status, 255);
}

// The queries, the map (read before them) and the two inputs: no two of the
// streams read in turn may be standard input together with the queries.
struct StdinCase {
    const char* name;
    std::vector<std::string> arguments;  // E, P, Q, M stand for the files
};

class PinpointEncoderStandardInput : public ::testing::TestWithParam<StdinCase> {};

TEST_P(PinpointEncoderStandardInput, QueriesShareStandardInputWithNoOtherInput)
{
    Files files;
    std::vector<std::string> arguments;
    for (const std::string& a : GetParam().arguments) {
        if (a == "E")
            arguments.push_back("-i=" + files.write("enc", kChainEncoding));
        else if (a == "P")
            arguments.push_back("-p=" + files.write("pin", kChainPinpointing));
        else if (a == "Q")
            arguments.push_back("-q=" + files.write("q", "(subsumes? B A)\n"));
        else if (a == "M")
            arguments.push_back("-v=" + files.write("map", kChainMap));
        else
            arguments.push_back(a);
    }
    ProcessResult r = pinpointEncode(arguments);
    EXPECT_EQ(r.err, "Input and Queries cannot be both read from standard input!\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 255);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, PinpointEncoderStandardInput,
    ::testing::Values(StdinCase{"MapFromStandardInput", {"E", "P", "-q"}},
                      StdinCase{"EncodingFromStandardInput", {"-i", "P", "-q", "M"}},
                      StdinCase{"PinpointingFromStandardInput", {"E", "-q", "M"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PinpointEncoderOptions, QueriesFromStandardInputWithEveryOtherStreamNamed)
{
    Files files;
    ProcessResult r = pinpointEncode({"-m", "-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing), "-q",
                                      "-v=" + files.write("map", kChainMap), "-h=" + files.path("header")},
                                     "(subsumes? B A)\n");
    EXPECT_EQ(r.status, 0);
    // Queries from standard input to the in-process solver: the prompt
    // before each query and after the last, and the query echoed.
    EXPECT_EQ(r.out, "<korvane>$ (subsumes? B A)\nU\n1 \n<korvane>$ ");
}

TEST(PinpointEncoderOptions, AFlagWithASuffixIsSetAndStillReported)
{
    Files files;
    // -mx chooses the in-process solver (whose header goes to standard
    // error) but stops the run before any input is read.
    ProcessResult r = pinpointEncode({"-mx", "-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing)});
    EXPECT_EQ(r.err, "Invalid parameter: -mx\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 255);
}

TEST(PinpointEncoderOptions, AnUnwritableDebugFileIsReportedAndTheRunGoesOnWithoutDebugOutput)
{
    Files files;
    const std::string nowhere = files.path("no-such-directory/debug");
    ProcessResult r = pinpointEncode({"-d=" + nowhere, "-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing)});
    EXPECT_EQ(maskTimes(r.err), "Can not write file: " + nowhere + "\n" + kPinpointingInfoTime +
                                    kChainPinpointingHeader + kEncodingTime + kTotal);
    EXPECT_EQ(r.out, kChainPinpointingBody);
    EXPECT_EQ(r.status, 0);
}

TEST(PinpointEncoderOptions, BareDebugWritesToStandardError)
{
    Files files;
    for (const std::string option : {"-d", "-d=", "-dx"}) {
        ProcessResult r = pinpointEncode({option, "-i=" + files.write("enc", kChainEncoding),
                                          "-p=" + files.write("pin", kChainPinpointing)});
        EXPECT_EQ(maskTimes(r.err), "\nINPUT ...\n" + kPinpointingInfoTime + kChainPinpointingHeader +
                                        "\nINPUT ...\n" + kEncodingTime + kTotal)
            << option;
        EXPECT_EQ(r.status, 0) << option;
    }
}

TEST(PinpointEncoderOptions, ALaterOptionOfTheSameLetterReplacesTheStream)
{
    Files files;
    ProcessResult r = pinpointEncode({"-i=" + files.write("other", "p cnf 1 1\n1 0\n"),
                                      "-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing), "-o=" + files.path("first"),
                                      "-o=" + files.path("body")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(files.read("first"), "");
    EXPECT_EQ(files.read("body"), kChainPinpointingBody);
}

} // namespace
} // namespace pinpoint_encoder_e2e
