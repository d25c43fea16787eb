#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pass.h"
#include "reference_pass.h"

namespace srcmorph {
namespace {

using namespace std::string_literals;

struct LineCase {
    const char* name;
    std::string in;
    std::string ca65;
    std::string asm6;
};

// Each sample line follows another line and ends in a carriage return and a
// line feed, as in the driver's sources.
std::string framed(const std::string& line) { return "\tnop\r\n" + line + "\r\n"; }

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class SampleLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(SampleLine, ConvertsForBothTargets)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(convert_text(framed(c.in), Target::ca65), framed(c.ca65));
    EXPECT_EQ(convert_text(framed(c.in), Target::asm6), framed(c.asm6));
}

const LineCase kSampleLines[] = {
    {"LowOperand", "\tlda #LOW(table)", "\tlda #.lobyte(table)", "\tlda #<(table)"},
    {"HighOperand", "\tlda #HIGH(table)", "\tlda #.hibyte(table)", "\tlda #>(table)"},
    {"IndirectY", "\tlda [ptr],y", "\tlda (ptr),y", "\tlda (ptr),y"},
    {"IndirectJump", "\tjmp [vector]", "\tjmp (vector)", "\tjmp (vector)"},
    {"LocalLabelWithColon", ".loop:", "@loop::", "@loop:"},
    {"LocalLabel", ".loop", "@loop:", "@loop"},
    {"LabelAlone", "loop", "loop:", "loop"},
    {"LabelThenCode", "init\tlda #0", "init:\tlda #0", "init\tlda #0"},
    {"LabelThenComment", "init ; start", "init: ; start", "init ; start"},
    {"Constant", "count = 4", "count = 4", "count = 4"},
    {"ConstantNoSpaces", "count=4", "count=4", "count=4"},
    {"EquLower", "count equ 4", "count equ 4", "count equ 4"},
    {"EquUpper", "count EQU 4", "count EQU 4", "count EQU 4"},
    {"Ifdef", "\t.ifdef TB_THREAD", "\t.if(TB_THREAD)", "\t.ifdef TB_THREAD"},
    {"Ifndef", "\t.ifndef TB_THREAD", "\t.if(!TB_THREAD)", "\t.ifndef TB_THREAD"},
    {"IfdefManyBlanks", "\t.ifdef \t TB_SFX_ENABLE", "\t.if(TB_SFX_ENABLE)", "\t.ifdef \t TB_SFX_ENABLE"},
    {"DbAfterTab", "\t.db 1,2", "\t.db 1,2", "\tdb 1,2"},
    {"DbAfterSpace", " .db 1,2", " @db 1,2", " @db 1,2"},
    {"DwAfterTab", "\t.dw table", "\t.dw table", "\tdw table"},
    {"ByteAfterTab", "\t.byte 1,2", "\t.byte 1,2", "\tbyte 1,2"},
    {"WordAfterTab", "\t.word table", "\t.word table", "\tword table"},
    {"LocalAfterSpace", "\tbne .loop", "\tbne @loop", "\tbne @loop"},
    {"LocalAfterTabUnchanged", "\tbne\t.loop", "\tbne\t.loop", "\tbne\t.loop"},
    {"ThreadSwitch", "TB_THREAD\t\t;comment", ".define TB_THREAD      1\t\t;comment", "TB_THREAD\t\t;comment"},
    {"SfxSwitch", "TB_SFX_ENABLE", ".define TB_SFX_ENABLE  1", "TB_SFX_ENABLE"},
    {"DpcmSwitch", "TB_DPCM_ENABLE", ".define TB_DPCM_ENABLE 1", "TB_DPCM_ENABLE"},
    // Column 0 takes the mnemonic for a label in the ca65 copy.
    {"LowAtColumnZero", "lda #LOW(table)", "lda: #.lobyte(table)", "lda #<(table)"},
    {"IndirectAtColumnZero", "lda [ptr],y", "lda: (ptr),y", "lda (ptr),y"},
};

INSTANTIATE_TEST_SUITE_P(Pass, SampleLine, ::testing::ValuesIn(kSampleLines),
                         [](const auto& info) { return std::string(info.param.name); });

class EdgeCase : public ::testing::TestWithParam<LineCase> {};

TEST_P(EdgeCase, ConvertsWholeInput)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(convert_text(c.in, Target::ca65), c.ca65);
    EXPECT_EQ(convert_text(c.in, Target::asm6), c.asm6);
}

const LineCase kEdgeCases[] = {
    {"Empty", "", "", ""},
    {"ColumnZeroCommentIsRewritten", "\tnop\r\n; uses LOW [x]\r\n", "\tnop\r\n; uses .lobyte (x)\r\n",
     "\tnop\r\n; uses < (x)\r\n"},
    {"SecondSemicolonStartsVerbatimComment", "\tnop\r\n; a LOW ; b LOW\r\n", "\tnop\r\n; a .lobyte ; b LOW\r\n",
     "\tnop\r\n; a < ; b LOW\r\n"},
    {"FirstLineCommentIsVerbatim", "; LOW [x]\r\n", "; LOW [x]\r\n", "; LOW [x]\r\n"},
    {"CommentAfterCodeIsVerbatim", "\tnop\r\n\tlda #0 ; LOW [x] .byte .ifdef\r\n",
     "\tnop\r\n\tlda #0 ; LOW [x] .byte .ifdef\r\n", "\tnop\r\n\tlda #0 ; LOW [x] .byte .ifdef\r\n"},
    {"LowLow", "\tLOWLOW", "\t.lobyteLOW", "\t<LOW"},
    {"BracketBracket", "\t[[", "\t([", "\t(["},
    {"RulesChainOncePerStep", "\tLOWHIGH[]", "\t.lobyte.hibyte()", "\t<>()"},
    {"CloseThenLow", "\t]LOW", "\t)LOW", "\t)LOW"},
    {"LongerSwitchName", "\tnop\r\nTB_THREADS\r\n", "\tnop\r\n.define TB_THREAD      1S\r\n",
     "\tnop\r\nTB_THREADS\r\n"},
    {"SwitchBeforeConstantTest", "\tnop\r\nTB_SFX_ENABLE = 1\r\n", "\tnop\r\n.define TB_SFX_ENABLE  1 = 1\r\n",
     "\tnop\r\nTB_SFX_ENABLE = 1\r\n"},
    {"FirstLineGetsNoLineStartRules", "TB_THREAD\nloop\n", "TB_THREAD\nloop:\n", "TB_THREAD\nloop\n"},
    // The label's run stops at the line feed, which O8 then copies.
    {"BareLineFeedAfterLabelSkipsLineStart", "x\nloop\n.x\n", "x\nloop:\n.x\n", "x\nloop\n@x\n"},
    {"FirstLineDotUnchanged", ".x", ".x", ".x"},
    {"BareLineFeedEmptyLineCopiedByO8", "a\n\nb c\n", "a\n\nb c\n", "a\n\nb c\n"},
    {"CrLfEmptyLineKeepsLineStart", "a\r\n\r\nb c\r\n", "a\r\n\r\nb: c\r\n", "a\r\n\r\nb c\r\n"},
    {"LookaheadRunsPastLineFeeds", "x\nfoo\nbar = 1\n", "x\nfoo\nbar = 1\n", "x\nfoo\nbar = 1\n"},
    {"LookaheadFindsEquLines", "x\nfoo\n bar equ 3\n", "x\nfoo\n bar equ 3\n", "x\nfoo\n bar equ 3\n"},
    {"LookaheadStopsAtSemicolon", "x\nfoo ;c\nbar = 1\n", "x\nfoo: ;c\nbar = 1\n", "x\nfoo ;c\nbar = 1\n"},
    {"LookaheadStopsAtCarriageReturn", "x\nfoo\r\nbar = 1\r\n", "x\nfoo:\r\nbar = 1\r\n",
     "x\nfoo\r\nbar = 1\r\n"},
    {"LabelRunTakesSemicolon", "x\nab;c d\n", "x\nab;c: d\n", "x\nab;c d\n"},
    {"LabelRunTakesEqualsAfterSemicolon", "x\nfoo;=\n", "x\nfoo;=:\n", "x\nfoo;=\n"},
    {"HighBytesAreNotBlank", "x\n\xC3\xA9t\n", "x\n\xC3\xA9t:\n", "x\n\xC3\xA9t\n"},
    {"DirectiveAtColumnZero", "x\n.ifdef A\r\n", "x\n@ifdef: A\r\n", "x\n@ifdef A\r\n"},
    {"SpaceDotByteForAsm6", "\t .byte 1", "\t @byte 1", "\t @byte 1"},
    {"DotIsLastByte", "x\n.", "x\n@:", "x\n@"},
    {"EndsAfterBracket", "\tlda [p]", "\tlda (p)", "\tlda (p)"},
    {"EndsAfterLow", "\tx LOW", "\tx .lobyte", "\tx <"},
    {"EndsAfterIfdefName", "\t.ifdef NAME", "\t.if(NAME)", "\t.ifdef NAME"},
    {"IfdefWithoutName", "\t.ifdef", "\t.if()", "\t.ifdef"},
    {"IfdefOnlyBlanks", "\t.ifdef \r\n ", "\t.if()", "\t.ifdef \r\n "},
    {"IfdefNameOnNextLine", "\t.ifdef\r\n  NAME\r\n", "\t.if(NAME)\r\n", "\t.ifdef\r\n  NAME\r\n"},
    {"IfndefThenIfdef", "\t.ifndef A .ifdef B", "\t.if(!A) @ifdef B", "\t.ifndef A @ifdef B"},
    {"IfdefOnNextLine", "\t.ifndef A\n.ifdef B", "\t.if(!A)\n.if(B)", "\t.ifndef A\n@ifdef B"},
    {"TrailingLineFeed", "x\n", "x\n", "x\n"},
    {"NulBytesPassThrough", "a\0b\n\0c"s, "a\0b\n\0c"s, "a\0b\n\0c"s},
};

INSTANTIATE_TEST_SUITE_P(Pass, EdgeCase, ::testing::ValuesIn(kEdgeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Token soup rich in the patterns, rule boundaries and line ends.
std::string random_source(std::mt19937& rng, std::size_t tokens)
{
    static const std::vector<std::string> kTokens = {
        "\n", "\r\n", "\r", "\t", " ", ";", ".", "=", "equ", "EQU", "eq", "LOW", "LO", "HIGH", "HIG", "[", "]",
        ".ifdef", ".ifndef", ".ifdef ", ".byte", ".word", ".db", ".dw", ".d", "TB_THREAD", "TB_SFX_ENABLE",
        "TB_DPCM_ENABLE", "TB_", "lda", "x", "label:", "\xFF", std::string(1, '\0'), "#", ",y"};
    std::uniform_int_distribution<std::size_t> pick(0, kTokens.size() - 1);
    std::string s;
    for (std::size_t k = 0; k < tokens; ++k)
        s += kTokens[pick(rng)];
    return s;
}

TEST(Pass, MatchesPlainRulesOnRandomSources)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        const std::string src = random_source(rng, 1 + round % 60);
        for (const Target t : {Target::ca65, Target::asm6})
            ASSERT_EQ(convert_text(src, t), testing::reference_convert(src, t)) << "round " << round;
    }
}

TEST(Pass, MatchesPlainRulesOnBareLineFeedFile)
{
    // Labels on every line, no ";" or "=": the look-ahead never stops early.
    std::string src;
    for (int k = 0; k < 2000; ++k)
        src += "lab" + std::to_string(k) + " lda LOW [x]\n";
    src += "last = 1\n";
    EXPECT_EQ(convert_text(src, Target::ca65), testing::reference_convert(src, Target::ca65));
    EXPECT_EQ(convert_text(src, Target::asm6), testing::reference_convert(src, Target::asm6));
}

TEST(Pass, GrowsPastTwiceTheInput)
{
    std::string src;
    for (int k = 0; k < 5000; ++k)
        src += "\nTB_THREAD";
    const std::string ca65 = convert_text(src, Target::ca65);
    EXPECT_GT(ca65.size(), 2 * src.size());
    EXPECT_EQ(ca65, testing::reference_convert(src, Target::ca65));

    std::string many_lows;
    for (int k = 0; k < 10000; ++k)
        many_lows += "LOW";
    std::string expected;
    for (int k = 0; k < 5000; ++k)
        expected += ".lobyteLOW";
    EXPECT_EQ(convert_text(many_lows, Target::ca65), expected);
}

TEST(Pass, SameInputGivesSameOutputAgain)
{
    std::mt19937 rng(7);
    const std::string src = random_source(rng, 5000);
    const InputText input(src);
    Output out(0);
    run_pass(input, Target::ca65, out);
    const std::string first(reinterpret_cast<const char*>(out.data()), out.size());
    run_pass(input, Target::asm6, out);
    run_pass(input, Target::ca65, out);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data()), out.size()), first);
}

} // namespace
} // namespace srcmorph
