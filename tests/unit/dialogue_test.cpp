#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "app/dialogue.h"
#include "expected_texts.h"

namespace {

struct Conversation {
    std::optional<Answers> answers;
    std::string output;
    std::string leftOver;
};

Conversation converse(const std::string& typed) {
    std::istringstream in(typed);
    std::ostringstream out;
    Conversation run;
    run.answers = holdDialogue(in, out);
    run.output = out.str();
    in.clear();
    run.leftOver.assign(std::istreambuf_iterator<char>(in), {});
    return run;
}

Answers answered(const std::string& typed) {
    const Conversation run = converse(typed);
    EXPECT_TRUE(run.answers.has_value()) << "for input: " << typed;
    return run.answers.value_or(Answers{});
}

TEST(KeyGuide, FourLinesAndAnEmptyOne) {
    std::ostringstream out;
    writeKeyGuide(out);
    EXPECT_EQ(out.str(), kKeyGuide);
}

TEST(Dialogue, AsksEachQuestionOnceWithoutLineEnds) {
    const Conversation run = converse("100 200\nq1n\n13\n-1\n12\n");
    EXPECT_EQ(run.output, kPrompts);
}

TEST(Dialogue, WellFormedAnswers) {
    const Answers a = answered("100 200\ny\n3\n");
    EXPECT_EQ(a.x1, 100);
    EXPECT_EQ(a.y1, 200);
    EXPECT_TRUE(a.inertia);
    EXPECT_EQ(a.DotNum, 3);
    EXPECT_FALSE(answered("-5 +7 N 0").inertia);
}

TEST(Dialogue, StartPositionIsNotCheckedHere) {
    const Answers a = answered("900 -2147483648\nn\n0\n");
    EXPECT_EQ(a.x1, 900);
    EXPECT_EQ(a.y1, -2147483648);
}

TEST(Dialogue, OtherLettersBeforeTheInertiaAnswerAreSkipped) {
    const Answers a = answered("1 2\nq\n1\nn\n12\n");
    EXPECT_FALSE(a.inertia);
    EXPECT_EQ(a.DotNum, 12);
}

TEST(Dialogue, OnlyOneLetterIsTakenForInertiaAndTheRestStays) {
    const Conversation run = converse("1 2 nY\n4\n");
    ASSERT_TRUE(run.answers);
    EXPECT_FALSE(run.answers->inertia);
    EXPECT_EQ(run.answers->DotNum, 4);
}

TEST(Dialogue, DotCountsOutOfRangeAreReadAgain) {
    EXPECT_EQ(answered("1 2 n 13 -1 12").DotNum, 12);
    EXPECT_EQ(answered("1 2 n 0").DotNum, 0);
}

TEST(Dialogue, CommaSeparatedPositions) {
    for (const char* typed :
         {"100,200 n 0", "100, 200 n 0", "100 ,200 n 0", "100 , 200 n 0", "100\n200 n 0"}) {
        const Answers a = answered(typed);
        EXPECT_EQ(a.x1, 100) << typed;
        EXPECT_EQ(a.y1, 200) << typed;
    }
}

TEST(Dialogue, UnreadablePositionCostsItsLineAndBothNumbersAreReadAgain) {
    for (const char* typed : {"abc\n5 6\nn 0", "1 abc\n5 6\nn 0", "1,,2\n5 6\nn 0",
                              "1 99999999999\n5 6\nn 0", "-99999999999 1\n5 6\nn 0"}) {
        const Conversation run = converse(typed);
        ASSERT_TRUE(run.answers) << typed;
        EXPECT_EQ(run.answers->x1, 5) << typed;
        EXPECT_EQ(run.answers->y1, 6) << typed;
        EXPECT_EQ(run.output, kPrompts) << "re-reads are silent";
    }
}

TEST(Dialogue, YesIsYesAndItsRestIsDiscardedAtTheDotCount) {
    const Conversation run = converse("1 2\nyes\n7\nafter\n");
    ASSERT_TRUE(run.answers);
    EXPECT_TRUE(run.answers->inertia);
    EXPECT_EQ(run.answers->DotNum, 7);
    EXPECT_EQ(run.leftOver, "\nafter\n");
}

TEST(Dialogue, UnreadableDotCountCostsItsLine) {
    EXPECT_EQ(answered("1 2 n\nabc 5\n3\n").DotNum, 3);
    EXPECT_EQ(answered("1 2 n\n12345678901234567890 1\n4\n").DotNum, 4);
}

TEST(Dialogue, EndOfInputBeforeTheLastAnswerGivesNothing) {
    for (const char* typed : {"", "   ", "100", "100 ", "100,", "abc", "1 2", "1 2 q", "1 2 y",
                              "1 2 y 13", "1 2 y abc", "1 2 y -"}) {
        EXPECT_FALSE(converse(typed).answers) << "for input: '" << typed << "'";
    }
}

TEST(Dialogue, ALastAnswerWithoutLineEndCounts) {
    EXPECT_EQ(answered("1 2 y 9").DotNum, 9);
}

}  // namespace
