#include "knowledge/numerology_table.h"
#include "tests/text_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

using namespace knowledge;

namespace {

struct Tables {
    NumerologyTable table;
    SayingThreeList sayingThree;
    Tables() { FillNumerologyTable(table, sayingThree); }
};

const Tables &filled()
{
    static const Tables tables;
    return tables;
}

// A number's nine texts are its eight columns, then its SayingThreeList entry at this index.
constexpr std::size_t SayingThree = ColumnCount;

std::u16string_view text(int row, std::size_t index)
{
    return index < ColumnCount ? filled().table[row][index] : filled().sayingThree[row];
}

bool contains(std::u16string_view text, std::u16string_view part)
{
    return text.find(part) != std::u16string_view::npos;
}

std::string where(int row, std::u16string_view text)
{
    return "row " + std::to_string(row) + ": " + Utf8(text);
}

// Splits a verse at its commas; the closing mark is dropped.
std::vector<std::size_t> verseLineLengths(std::u16string_view verse)
{
    std::vector<std::size_t> lengths;
    verse.remove_suffix(1);
    for (std::size_t start = 0;;) {
        const std::size_t comma = verse.find(u'，', start);
        lengths.push_back((comma == std::u16string_view::npos ? verse.size() : comma) - start);
        if (comma == std::u16string_view::npos)
            return lengths;
        start = comma + 1;
    }
}

const std::set<int> EmptyCareer{25, 76, 77, 78, 79, 80, 81};
const std::set<int> EmptyFamily{6,  22, 24, 25, 27, 29, 33, 36, 38,
                                45, 46, 59, 76, 77, 78, 79, 80, 81};
const std::set<int> EmptyHealth{31, 35, 40, 51, 54, 63, 76, 77, 78, 79, 80, 81};
const std::set<int> EmptyMeaning{20, 26, 31, 39, 41, 76, 77, 79, 80, 81};
const std::set<int> EmptySayingThree{81};

struct ColumnShape {
    std::size_t index;
    std::size_t minLength, maxLength;
    const std::set<int> *emptyRows;
};

const ColumnShape Shapes[] = {
    {ViewOne, 30, 34, nullptr},
    {ViewTwo, 40, 319, nullptr},
    {SayingOne, 18, 38, nullptr},
    {SayingTwo, 13, 36, nullptr},
    {Career, 12, 28, &EmptyCareer},
    {Family, 5, 31, &EmptyFamily},
    {Health, 10, 145, &EmptyHealth},
    {Meaning, 27, 220, &EmptyMeaning},
    {SayingThree, 10, 66, &EmptySayingThree},
};

const std::map<std::u16string_view, std::set<int>> RowsByRating{
    {u"【大吉】", {1, 11, 13, 31, 37, 41, 48, 63, 81}},
    {u"【吉】", {3, 5, 8, 15, 16, 21, 23, 24, 29, 32, 33, 35, 39, 45, 47, 52, 65, 67, 68, 73}},
    {u"【次吉】", {6, 7, 17, 18}},
    {u"【半吉】", {25, 30, 38, 51}},
    {u"【吉凶参半】", {49, 50, 58, 71}},
    {u"【凶】", {2,  4,  9,  10, 12, 14, 19, 20, 22, 26, 27, 28, 34, 36, 40, 42, 43, 44, 46, 53,
                 54, 55, 56, 57, 59, 60, 61, 62, 64, 66, 69, 70, 72, 74, 75, 76, 77, 78, 79, 80}},
};

// The titles at the head of the rows' SayingTwo, rows 1..81 in order, each closed by "|".
constexpr std::u16string_view Titles =
    u"宇宙起源|一身孤节|吉祥|凶变|种竹成林|安稳|精悍|坚刚|破舟进海|零暗 |早苗逢雨|"
    u"掘井无泉|春阳牡丹|破兆|福寿|厚重|坚操|铁镜重磨|多难|屋下藏金|明月中天|秋草|壮丽|"
    u"掘藏得金|荣俊|变怪|增长|阔水浮萍|不平|非运|春日花开|宝马金鞍|牛天|破字|高楼望月|"
    u"波澜|猛虎下山|磨铁成针|富贵|退安|有德|寒蝉在柳|散财|烦闷|顽风|浪里淘金|点石成金|"
    u"古松鹤|转变|小舟进海|沉浮|达眼|曲卷难星|石上灾花|善恶|海里行舟|日照春松|晚行碰月|"
    u"寒蝉悲风|无谋|牡凡寿蓉|表败|舟归平海|非命|大流归海|岩头步马|通达|顺风吹帆|非业|"
    u"残菊逢霜|石上金花|劳苦|无男|残菊经霜|退守|离散|半吉|无若|云头望月|遁吉|万物回春|";

struct Fixed {
    int row;
    std::size_t index;
    std::u16string_view text;
};

// The texts that are fixed word for word; the rest of the wording is our own.
const Fixed WholeTexts[] = {
    {1, ViewOne, u"天地开泰万事成，身体健康亦富荣，否泰名誉兼享福，一生无忧乐绵长。"},
    {1, ViewTwo,
     u"天地开端，万物创始乃中与之袒....等灵意之象，有始收，富贵，长寿，乃为大吉祥之数，但宜静不宜"
     u"动，静可得良机，如旭日东升，以温和步骤，可获大成功，健康，荣华，名誉，终身享福之命运也"
     u"\uE51D"},
    {1, SayingOne, u"【大吉】繁荣发达，信用得固，万人仰望成功之大吉象。"},
    {1, SayingTwo, u"（宇宙起源）：天地宇宙开泰的太极数。"},
    {1, Career, u"聪明，多学、成功、富贵、名誉、幸福、财帛、进田。"},
    {1, Family, u"竹木成林、父母有荫、家庭圆满、子妇多孝。"},
    {1, Health, u"健全、可望长寿，三才不善者不遇。"},
    {1, Meaning,
     u"此为万事万物的基本数、为最大吉祥的表示， "
     u"属于分外大成功，健康富贵名誉幸福，可以享福终世。但恐因其过好，常人难以承当此数。"},
    {1, SayingThree, u"万物开泰起源数，为最大吉祥的暗示，但常人恐不当。"},
    {2, ViewOne, u"混沌未定如萍动，乱离不安亦波浪，独立无力多遭难，凶变病弱又短命。"},
    {3, Health, u"松柏林立，健康良好，可望长寿。"},
    {6, SayingOne, u"【次吉】万宝集门，天降幸运，且去奋发得成功，亦是空空忙忙之象。"},
    {7, Career, u"独立、官禄、进取、技术、刚硬。"},
    {11, Family, u"养蜂结蜜，事事和顺，处处温和。"},
    {28, SayingTwo, u"（阔水浮萍）豪气生离的行踪无定数。"},
    {49, SayingThree, u"吉凶难分，不断辛苦。"},
    {59, Meaning, u"乏耐心缺勇气，意志衰退，无办事的才能 ，终于悲苦一生。"},
    {80, ViewOne, u"劳而无得费心机，终生困苦与劳动，碍病难常不绝，修养善德小安康。"},
    {80, ViewTwo,
     u"一生艰难辛苦，如波浪之重叠不绝，终身多受挫折而致病弱，刑罚，孤独夭寿之凶兆，若能及早修行善"
     u"德，脱离凡俗而隐退者，尚可保小康之清福，则化凶为吉也\uE51D"},
    {80, SayingOne, u"【凶】得来而失，多枉心机，亦是贫多难之象。"},
    {80, SayingTwo, u"（遁吉）：凶星入度的消极缩小数。"},
    {80, SayingThree, u"一生困难辛，夭折者多，但早入隐遁的生活，可安心立命。"},
    {81, ViewOne, u"还原复始重临福，相等一数再开泰，家门隆昌万事成，名扬四海庆馀祥。"},
    {81, ViewTwo,
     u"有自然之惠，万事如意，家门隆昌，富裕无比，安然福禄，幸福尊贵，功德圆满，最大吉祥 "},
    {81, SayingOne, u"【大吉】大吉之数，还本归元，气象万千，亦是过极少吉，凡人勿轻用。"},
    {81, SayingTwo, u"（万物回春）：还元复始和积极盛大数。"},
};

// Beyond every row's rating and title, the heads of these texts are fixed: the rating goes
// against the words in rows 9, 30 and 61, and row 26 keeps a Meaning in its Health column.
const Fixed FixedHeads[] = {
    {9, SayingOne, u"【凶】吉凶参半"},
    {30, SayingOne, u"【半吉】吉凶参半"},
    {61, SayingTwo, u"（牡凡寿蓉）：名利双收的修行积德数"},
    {26, Health, u" "},
};

// What of a text is the writers' own: nothing of a fixed text, and of the others what follows
// the fixed head, the rating, or the title.
std::u16string_view ownWords(int row, std::size_t index)
{
    const std::u16string_view whole = text(row, index);
    for (const Fixed &f : WholeTexts)
        if (f.row == row && f.index == index)
            return {};
    std::size_t head = index == SayingOne   ? whole.find(u'】') + 1
                       : index == SayingTwo ? whole.find(u'）') + 1
                                            : 0;
    for (const Fixed &f : FixedHeads)
        if (f.row == row && f.index == index && whole.starts_with(f.text))
            head = f.text.size();
    return whole.substr(std::min(head, whole.size()));
}

} // namespace

TEST(NumerologyTable, RowZeroAndTheMissingSayingsStayEmpty)
{
    for (std::size_t index = 0; index <= SayingThree; ++index)
        EXPECT_TRUE(text(0, index).empty()) << "text " << index;
    EXPECT_TRUE(text(MaxNumber, SayingThree).empty());
}

TEST(NumerologyTable, EachColumnHasItsLengthsAndExactlyItsEmptyCells)
{
    int nonEmpty = 0;
    for (const ColumnShape &shape : Shapes) {
        for (int row = 1; row <= MaxNumber; ++row) {
            const std::u16string_view shown = text(row, shape.index);
            SCOPED_TRACE("text " + std::to_string(shape.index) + ", " + where(row, shown));
            const bool shouldBeEmpty = shape.emptyRows && shape.emptyRows->count(row);
            EXPECT_EQ(shown.empty(), shouldBeEmpty);
            if (!shown.empty()) {
                ++nonEmpty;
                EXPECT_GE(shown.size(), shape.minLength);
                EXPECT_LE(shown.size(), shape.maxLength);
            }
        }
    }
    EXPECT_EQ(nonEmpty, 601 + 80);
}

TEST(NumerologyTable, EveryRowCarriesItsRatingAndTitle)
{
    std::map<std::u16string_view, std::set<int>> found;
    std::size_t titleStart = 0;
    for (int row = 1; row <= MaxNumber; ++row) {
        const std::u16string_view saying = text(row, SayingOne);
        const std::size_t close = saying.find(u'】');
        ASSERT_NE(close, std::u16string_view::npos) << where(row, saying);
        found[saying.substr(0, close + 1)].insert(row);
        const std::size_t titleEnd = Titles.find(u'|', titleStart);
        const std::u16string title(Titles.substr(titleStart, titleEnd - titleStart));
        EXPECT_TRUE(text(row, SayingTwo).starts_with(u"（" + title + u"）")) << where(row, saying);
        titleStart = titleEnd + 1;
    }
    EXPECT_EQ(found, RowsByRating);
    EXPECT_EQ(titleStart, Titles.size());
}

TEST(NumerologyTable, ProseEndsWithItsPrivateMarkInsteadOfAFullStop)
{
    const std::set<int> markE5DD{8, 12, 19, 21, 23, 33, 34, 35, 38, 39, 45, 46, 54, 70, 74, 76};
    for (int row = 1; row <= MaxNumber; ++row) {
        const std::u16string_view prose = text(row, ViewTwo);
        SCOPED_TRACE(where(row, prose));
        ASSERT_GE(prose.size(), 2u);
        const char16_t expected = row == 81 ? u' ' : markE5DD.count(row) ? u'\uE5DD' : u'\uE51D';
        EXPECT_EQ(prose.back(), expected);
        EXPECT_NE(prose[prose.size() - 2], u'。');
        const auto privateMarks = std::count_if(prose.begin(), prose.end(), [](char16_t c) {
            return c >= 0xE000 && c <= 0xF8FF;
        });
        EXPECT_EQ(privateMarks, row == 81 ? 0 : row == 55 ? 2 : 1);
        EXPECT_EQ(contains(prose, u"\uE4BC"), row == 55);
    }
}

TEST(NumerologyTable, SayingsFollowTheirForms)
{
    const std::set<int> withoutSymbolEnding{1, 3, 49, 81};
    const std::set<int> titleWithoutColon{28, 29, 34, 35, 36, 37, 38, 39,
                                          40, 41, 42, 43, 46, 57, 62, 71};
    int withAlso = 0;
    for (int row = 1; row <= MaxNumber; ++row) {
        const std::u16string_view one = text(row, SayingOne);
        const std::u16string_view two = text(row, SayingTwo);
        SCOPED_TRACE(where(row, one) + " / " + Utf8(two));
        EXPECT_TRUE(one.ends_with(u"。"));
        EXPECT_TRUE(row == MaxNumber || text(row, SayingThree).ends_with(u"。"));
        EXPECT_EQ(one.ends_with(u"之象。"), !withoutSymbolEnding.count(row));
        ASSERT_GT(one.size(), one.find(u'】') + 1);
        EXPECT_NE(one[one.find(u'】') + 1], u' ');
        withAlso += contains(one, u"亦是");

        const std::size_t close = two.find(u'）');
        ASSERT_LT(close + 1, two.size());
        EXPECT_EQ(two[close + 1] == u'：', !titleWithoutColon.count(row));
    }
    EXPECT_EQ(withAlso, 76);
    EXPECT_TRUE(text(78, SayingTwo).ends_with(u"(又一说法：晚境凄凉的功德光荣数。)"));
}

TEST(NumerologyTable, CareerKeywordsUseTheSeparatorsOfTheirRowGroup)
{
    const std::set<int> commaOnly = [] {
        std::set<int> rows;
        for (int row = 27; row <= 72; ++row)
            rows.insert(row);
        return rows;
    }();
    const std::set<int> both{1, 15, 18, 21, 22, 24, 26};
    for (int row = 1; row <= MaxNumber; ++row) {
        const std::u16string_view career = text(row, Career);
        if (career.empty())
            continue;
        SCOPED_TRACE(where(row, career));
        const bool enumerationMark = contains(career, u"、");
        const bool comma = contains(career, u"，");
        EXPECT_EQ(enumerationMark, !commaOnly.count(row));
        EXPECT_EQ(comma, commaOnly.count(row) || both.count(row));
    }
}

TEST(NumerologyTable, TextsAreSingleLinesOfTheirOwnCharacterSet)
{
    const std::u16string_view punctuation = u"，。、：；！？（）【】「」 .,;()[]<>";
    for (int row = 1; row <= MaxNumber; ++row) {
        for (std::size_t index = 0; index <= SayingThree; ++index) {
            SCOPED_TRACE(where(row, text(row, index)));
            EXPECT_FALSE(contains(text(row, index), u"  ")) << "double blank";
            for (char16_t c : text(row, index)) {
                const bool han = c >= 0x4E00 && c <= 0x9FFF;
                const bool mark = index == ViewTwo && (c == 0xE51D || c == 0xE5DD || c == 0xE4BC);
                EXPECT_TRUE(han || mark || punctuation.find(c) != std::u16string_view::npos)
                    << "unexpected character U+" << std::hex << unsigned(c);
            }
        }
    }
}

TEST(NumerologyTable, NoTwoTextsAreTheSame)
{
    std::map<std::u16string_view, std::string> seen;
    for (int row = 1; row <= MaxNumber; ++row) {
        for (std::size_t index = 0; index <= SayingThree; ++index) {
            const std::string place =
                "row " + std::to_string(row) + " text " + std::to_string(index);
            if (text(row, index).empty())
                continue;
            auto [it, fresh] = seen.emplace(text(row, index), place);
            EXPECT_TRUE(fresh) << place << " repeats " << it->second;
        }
    }
}

TEST(NumerologyTable, FixedTextsStandAsWritten)
{
    for (const Fixed &f : WholeTexts)
        EXPECT_EQ(text(f.row, f.index), f.text) << "row " << f.row << " text " << f.index;
    for (const Fixed &f : FixedHeads)
        EXPECT_TRUE(text(f.row, f.index).starts_with(f.text))
            << where(f.row, text(f.row, f.index)) << " should begin " << Utf8(f.text);
    EXPECT_EQ(text(26, Health).size(), 145u);
}

// The editorial checks: the readings should read as written by hand, not filled into a template.
// A failure here is wording to mend, not a fault of the program; CTest runs them as table_lint.
namespace {

// The writers' own words of the nine texts a report shows for one number.
std::vector<std::u16string_view> readingOf(int row)
{
    std::vector<std::u16string_view> texts;
    for (std::size_t index = 0; index <= SayingThree; ++index)
        texts.push_back(ownWords(row, index));
    return texts;
}

bool han(char16_t c) { return c >= 0x4E00 && c <= 0x9FFF; }

// Every run of four Chinese characters: the unit of a stock phrase.
std::set<std::u16string> phrasesOf(std::u16string_view text)
{
    std::set<std::u16string> phrases;
    for (std::size_t i = 0; i + 4 <= text.size(); ++i)
        if (std::all_of(text.begin() + i, text.begin() + i + 4, han))
            phrases.emplace(text.substr(i, 4));
    return phrases;
}

// The clauses of six or more characters: one that long in two rows was copied, not written.
std::vector<std::u16string_view> longClausesOf(std::u16string_view text)
{
    std::vector<std::u16string_view> clauses;
    for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
        end = std::find_if_not(text.begin() + start, text.end(), han) - text.begin();
        if (end - start >= 6)
            clauses.push_back(text.substr(start, end - start));
    }
    return clauses;
}

// Health's conditions on 三才 and 先天五行 are the tradition's own refrain, so they may repeat.
std::u16string withoutTraditionalConditions(std::u16string_view health)
{
    std::u16string kept;
    std::size_t start = 0;
    while (start < health.size()) {
        const std::size_t end = std::min(health.find_first_of(u"，。；、", start), health.size());
        const std::u16string_view clause = health.substr(start, end + 1 - start);
        if (!contains(clause, u"三才") && !contains(clause, u"先天"))
            kept += clause;
        start = end + 1;
    }
    return kept;
}

} // namespace

// Medians keep the texts of a kind alike in weight, within 5 % of the tradition's; they drift when
// rows are rewritten carelessly.
TEST(TableLint, TypicalLengthsStayNearTheirMedians)
{
    const std::pair<std::size_t, std::size_t> expected[] = {{ViewTwo, 106},  {SayingOne, 31},
                                                            {SayingTwo, 16}, {Health, 18},
                                                            {Meaning, 67},   {SayingThree, 22}};
    for (auto [index, target] : expected) {
        std::vector<std::size_t> lengths;
        for (int row = 1; row <= MaxNumber; ++row)
            if (!text(row, index).empty())
                lengths.push_back(text(row, index).size());
        std::sort(lengths.begin(), lengths.end());
        const std::size_t median = lengths[lengths.size() / 2];
        EXPECT_GE(median * 100, target * 95) << "text " << index;
        EXPECT_LE(median * 100, target * 105) << "text " << index;
    }
}

TEST(TableLint, VersesHaveFourLinesOfSevenSaveTheKnownDepartures)
{
    const std::set<int> sixCharacterLine{4, 31, 33, 35, 36, 54, 63, 73, 78, 80};
    const std::set<int> longLine{33, 53, 61};
    for (int row = 1; row <= MaxNumber; ++row) {
        const std::u16string_view verse = text(row, ViewOne);
        SCOPED_TRACE(where(row, verse));
        ASSERT_FALSE(verse.empty());
        EXPECT_TRUE(verse.ends_with(row == 34 ? u"？" : u"。"));
        const std::vector<std::size_t> lines = verseLineLengths(verse);
        // A line ending on another line's character rhymes a word with itself.
        std::set<char16_t> lineEnds{verse[verse.size() - 2]};
        for (std::size_t comma = verse.find(u'，'); comma != std::u16string_view::npos;
             comma = verse.find(u'，', comma + 1))
            lineEnds.insert(verse[comma - 1]);
        EXPECT_TRUE(ownWords(row, ViewOne).empty() || lineEnds.size() == lines.size())
            << "two lines end alike";
        if (row == 3) {
            EXPECT_EQ(lines, (std::vector<std::size_t>{7, 7, 14}));
            continue;
        }
        ASSERT_EQ(lines.size(), 4u);
        const auto count = [&lines](auto predicate) {
            return std::count_if(lines.begin(), lines.end(), predicate);
        };
        EXPECT_EQ(count([](std::size_t n) { return n == 6; }) > 0, sixCharacterLine.count(row) > 0);
        EXPECT_EQ(count([](std::size_t n) { return n == 8 || n == 9; }) > 0,
                  longLine.count(row) > 0);
        EXPECT_EQ(count([](std::size_t n) { return n < 6 || n > 9; }), 0);
    }
}

TEST(TableLint, PhrasesDoNotRepeatWithinAReadingOrAcrossTheTable)
{
    std::map<std::u16string, std::set<int>> rowsOfPhrase;
    for (int row = 1; row <= MaxNumber; ++row) {
        std::map<std::u16string, int> textsOfPhrase;
        for (std::u16string_view text : readingOf(row))
            for (const std::u16string &phrase : phrasesOf(text))
                ++textsOfPhrase[phrase];
        for (const auto &[phrase, texts] : textsOfPhrase)
            EXPECT_LE(texts, 3) << "row " << row << ": " << Utf8(phrase);

        std::vector<std::u16string_view> texts = readingOf(row);
        const std::u16string health = withoutTraditionalConditions(texts[Health]);
        texts[Health] = health;
        for (std::u16string_view text : texts)
            for (const std::u16string &phrase : phrasesOf(text))
                rowsOfPhrase[phrase].insert(row);
    }
    for (const auto &[phrase, rows] : rowsOfPhrase)
        EXPECT_LE(rows.size(), 8u) << Utf8(phrase);

    std::map<std::u16string_view, int> rowOfClause;
    for (int row = 1; row <= MaxNumber; ++row)
        for (std::u16string_view text : readingOf(row))
            for (std::u16string_view clause : longClausesOf(text)) {
                const auto [first, fresh] = rowOfClause.emplace(clause, row);
                EXPECT_TRUE(fresh || first->second == row)
                    << "rows " << first->second << " and " << row << ": " << Utf8(clause);
            }
}

TEST(TableLint, ReadingsOpenAndCloseInVariedWays)
{
    int meanings = 0, openingWithThisNumber = 0, shouldCount = 0;
    int longTexts = 0, endingOnAdvice = 0;
    // The words of a closing clause that counsels rather than foretells.
    const std::u16string_view advice[] = {u"宜", u"须", u"勿",   u"莫",   u"切",   u"务", u"若",
                                          u"倘", u"应", u"当以", u"方可", u"方能", u"戒"};
    for (int row = 1; row <= MaxNumber; ++row) {
        for (std::u16string_view text : readingOf(row))
            shouldCount += int(std::count(text.begin(), text.end(), u'宜'));
        const std::u16string_view meaning = ownWords(row, Meaning);
        if (!meaning.empty()) {
            ++meanings;
            openingWithThisNumber += meaning.starts_with(u"此数");
        }
        for (std::u16string_view text : {ownWords(row, ViewTwo), meaning}) {
            if (text.empty())
                continue;
            ++longTexts;
            while (!text.empty() && contains(u"。 \uE51D\uE5DD", text.substr(text.size() - 1)))
                text.remove_suffix(1);
            const std::u16string_view lastClause =
                text.substr(text.find_last_of(u"，。；！？") + 1);
            endingOnAdvice += std::any_of(std::begin(advice), std::end(advice),
                                          [&](auto word) { return contains(lastClause, word); });
        }
    }
    EXPECT_LE(openingWithThisNumber * 3, meanings) << "Meaning opening with 此数";
    EXPECT_LE(shouldCount, 90) << "宜";
    EXPECT_GE((longTexts - endingOnAdvice) * 3, longTexts) << "long texts ending on a consequence";
}
