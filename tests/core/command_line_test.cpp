#include "core/app/command_line.h"
#include "core/app/pending_opens.h"

#include <gtest/gtest.h>

using namespace pelto::core;

TEST(CommandLineText, JoinsArgumentsAndQuotesThoseWithSpaces)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string text;
    };
    const Case cases[] = {
        {{}, ""},
        {{"http://a.example/"}, "http://a.example/"},
        {{"one", "two"}, "one two"},
        {{"/home/u/My Page.html"}, "\"/home/u/My Page.html\""},
        {{"a b", "c"}, "\"a b\" c"},
        {{"-Homepage", "x"}, "-Homepage x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandLineText(c.arguments), c.text);
}

TEST(CommandLineModes, HomePageModeNeedsExactlyTheSwitchAndOneAddress)
{
    EXPECT_EQ(HomePageModeAddress({"-homepage", "http://h/"}), "http://h/");
    EXPECT_EQ(HomePageModeAddress({"-homepage", ""}), "");
    EXPECT_FALSE(HomePageModeAddress({"-homepage"}));
    EXPECT_FALSE(HomePageModeAddress({"-homepage", "a", "b"}));
    EXPECT_FALSE(HomePageModeAddress({"-Homepage", "http://h/"}));
    EXPECT_FALSE(HomePageModeAddress({"x", "-homepage"}));
}

TEST(CommandLineModes, RegistrationSwitchAfterSlashOrDashInAnyCase)
{
    EXPECT_TRUE(HasRegistrationSwitch({"/REGSERVER"}));
    EXPECT_TRUE(HasRegistrationSwitch({"x", "-unregserver"}));
    EXPECT_TRUE(HasRegistrationSwitch({"/RegServer"}));
    EXPECT_FALSE(HasRegistrationSwitch({"REGSERVER"}));
    EXPECT_FALSE(HasRegistrationSwitch({"/REGSERVERS"}));
    EXPECT_FALSE(HasRegistrationSwitch({"http://x/REGSERVER"}));
    EXPECT_FALSE(HasRegistrationSwitch({"/"}));
}

TEST(HandOverMessage, ReadsUpToTheTerminatingZeroInPieces)
{
    EXPECT_EQ(EncodeHandOver(""), std::string(1, '\0'));
    EXPECT_EQ(EncodeHandOver("ab"), std::string("ab\0", 3));

    HandOverReader reader;
    EXPECT_EQ(reader.feed("http://ex"), HandOverReader::State::Incomplete);
    EXPECT_EQ(reader.feed(std::string("ample/\0junk", 11)), HandOverReader::State::Complete);
    EXPECT_EQ(reader.text(), "http://example/");
    EXPECT_EQ(reader.feed("more"), HandOverReader::State::Complete);
    EXPECT_EQ(reader.text(), "http://example/");

    HandOverReader empty;
    EXPECT_EQ(empty.feed(std::string(1, '\0')), HandOverReader::State::Complete);
    EXPECT_EQ(empty.text(), "");

    // Bytes that are not UTF-8 pass through untouched.
    HandOverReader binary;
    binary.feed(std::string("\xff\xfe\x80", 3) + '\0');
    EXPECT_EQ(binary.text(), "\xff\xfe\x80");
}

TEST(HandOverMessage, RefusesTextsAboveTheLimit)
{
    HandOverReader exact;
    EXPECT_EQ(exact.feed(std::string(kMaxHandOverText, 'a') + '\0'), HandOverReader::State::Complete);

    HandOverReader tooLong;
    for (int i = 0; i < 16 && tooLong.state() == HandOverReader::State::Incomplete; ++i)
        tooLong.feed(std::string(kMaxHandOverText / 8, 'a'));
    EXPECT_EQ(tooLong.state(), HandOverReader::State::TooLong);
    EXPECT_TRUE(tooLong.text().empty());
    EXPECT_EQ(tooLong.feed(std::string(1, '\0')), HandOverReader::State::TooLong);
}

TEST(PendingOpens, QueuesWhileStartingThenOpensDirectly)
{
    PendingOpens pending;
    EXPECT_TRUE(pending.starting());
    EXPECT_FALSE(pending.receive("first"));
    EXPECT_FALSE(pending.receive(""));
    EXPECT_FALSE(pending.receive("second"));
    EXPECT_EQ(pending.finishStartup(), (std::vector<std::string> {"first", "second"}));
    EXPECT_FALSE(pending.starting());
    EXPECT_EQ(pending.receive("third"), "third");
    EXPECT_FALSE(pending.receive(""));
    EXPECT_TRUE(pending.finishStartup().empty());
}
