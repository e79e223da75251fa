// Value names from a tag and a key, and hints split into two lines.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Zelvani.h"

namespace {

std::string Convert(const std::string& Tag, const std::string& Key) {
    ShortString name;
    ZvConvertStr(ShortString(Tag), ShortString(Key), name);
    return name.str();
}

std::string Shown(const std::string& S) {
    return "'" + S + "' (" + std::to_string(S.size()) + " characters)";
}

// Every pair gets a name of its own; a clash names both pairs.
void ExpectDistinct(const std::vector<std::pair<std::string, std::string>>& Pairs) {
    std::map<std::string, std::pair<std::string, std::string>> seen;
    for (const auto& p : Pairs) {
        const std::string name = Convert(p.first, p.second);
        EXPECT_FALSE(name.empty()) << "(" << Shown(p.first) << ", " << Shown(p.second) << ") gave an empty name";
        EXPECT_LE(name.size(), 255u);
        const auto [it, fresh] = seen.emplace(name, p);
        EXPECT_TRUE(fresh) << "(" << Shown(p.first) << ", " << Shown(p.second) << ") and (" << Shown(it->second.first)
                           << ", " << Shown(it->second.second) << ") both gave " << Shown(name);
    }
}

TEST(ConvertStr, AnEmptyKeyGivesTheTag) {
    EXPECT_EQ(Convert("MiLux", ""), "MiLux");
    EXPECT_EQ(Convert("ZvScreen", ""), "ZvScreen");
}

TEST(ConvertStr, TheSamePairGivesTheSameName) {
    const std::string first = Convert("MiLux", "ForeColor");
    EXPECT_EQ(Convert("MiLux", "ForeColor"), first);
    EXPECT_EQ(Convert("MiLux", "ForeColor"), first);
    EXPECT_NE(first, Convert("MiLux", "BackColor"));
}

TEST(ConvertStr, TheEmptyPairGivesAUsableName) {
    const std::string name = Convert("", "");
    ASSERT_FALSE(name.empty()) << "the registry's default value has the empty name";
    EXPECT_EQ(name.find('\0'), std::string::npos) << "a zero character would end the name early";
}

TEST(ConvertStr, PairsThatJoinAlikeGetNamesOfTheirOwn) {
    ExpectDistinct({{"a_b", "c"},   {"a", "b_c"},  {"a", "_b"},    {"a_", "b"},   {"a__", "b"},  {"a", "__b"},
                    {"a_b", ""},    {"a", ""},     {"", "a"},      {"", ""},      {"_", ""},     {"", "_"},
                    {"_", "_"},     {"%", ""},     {"%_", ""},     {"%", "_"},    {"", "%_"},    {"a%", "_b"},
                    {"a", "%_b"},   {"a%_", "b"},  {"a", "b"},     {"ab", ""},    {"", "ab"},    {"MiLux", "New"},
                    {"MiLu", "xNew"}, {"MiLuxNew", ""}, {"MiLux_New", ""}, {"MiLux", "_New"}, {"MiLux_", "New"}});
}

// Every pair of short strings over the characters that the name is built
// with gets a name of its own.
TEST(ConvertStr, AllShortPairsOverTheSeparatorsAreDistinct) {
    const std::string letters = "a_%";
    std::vector<std::string> strings = {""};
    for (std::size_t from = 0; strings.back().size() < 3;) {
        const std::size_t to = strings.size();
        for (std::size_t i = from; i < to; ++i)
            for (char c : letters) strings.push_back(strings[i] + c);
        from = to;
    }
    ASSERT_EQ(strings.size(), 40u);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& tag : strings)
        for (const auto& key : strings) pairs.emplace_back(tag, key);
    ExpectDistinct(pairs);
}

TEST(ConvertStr, LongPairsStayDistinctWithinAShortString) {
    const std::string t255(255, 't'), k255(255, 'k');
    std::string t255b = t255, k255b = k255, k255c = k255;
    t255b.back() = 'u';
    k255b.back() = 'l';
    k255c.front() = 'l';
    ExpectDistinct({{t255, k255},
                    {t255b, k255},
                    {t255, k255b},
                    {t255, k255c},
                    {t255, ""},
                    {t255b, ""},
                    {"", k255},
                    {"", k255b},
                    {t255.substr(0, 254), "t" + k255.substr(0, 254)},
                    {std::string(200, 't'), std::string(54, 'k')},
                    {std::string(200, 't'), std::string(55, 'k')},
                    {std::string(200, 't'), std::string(56, 'k')}});
}

TEST(ConvertStr, ANameThatFitsIsNotShortened) {
    // 200 + 1 + 54 = 255 characters: the whole name, no mark of a cut.
    const std::string name = Convert(std::string(200, 't'), std::string(54, 'k'));
    EXPECT_EQ(name.size(), 255u);
    EXPECT_EQ(name.substr(0, 200), std::string(200, 't'));
    EXPECT_EQ(name.substr(201), std::string(54, 'k')) << "got " << Shown(name);
}

// The caller may pass its tag variable as the result too.
TEST(ConvertStr, TheResultMayBeTheTagItself) {
    const std::string expected = Convert("MiLux", "Options");
    ShortString s("MiLux");
    ZvConvertStr(s, ShortString("Options"), s);
    EXPECT_EQ(s.str(), expected);
}

std::string Split(const std::string& S, int N) {
    ShortString r;
    ZvSplitStr(ShortString(S), N, r);
    return r.str();
}

TEST(SplitStr, ALineBreakFollowsTheFirstNCharacters) {
    EXPECT_EQ(Split("abc,def", 4), "abc,\r\ndef");
    EXPECT_EQ(Split("ab", 1), "a\r\nb");
    EXPECT_EQ(Split("abcdef", 5), "abcde\r\nf");
}

// The colour dialog splits its swatch hint after the comma.
TEST(SplitStr, TheSwatchHintBreaksAfterItsComma) {
    const std::string hint = "The New color is the one you selected in this dialog box,"
                             "the Current color is the existing color of the object.";
    const int comma = static_cast<int>(hint.find(',')) + 1;  // its position, counted from 1
    EXPECT_EQ(Split(hint, comma), "The New color is the one you selected in this dialog box,\r\n"
                                  "the Current color is the existing color of the object.");
}

TEST(SplitStr, NOutsideTheStringLeavesItAsItIs) {
    for (int n : {0, -1, -1000, 7, 8, 1000}) EXPECT_EQ(Split("abc,def", n), "abc,def") << "N = " << n;
    EXPECT_EQ(Split("", 0), "");
    EXPECT_EQ(Split("", 1), "");
}

TEST(SplitStr, TheResultIsCutAt255Characters) {
    std::string s;
    for (int i = 0; i < 255; ++i) s += static_cast<char>('a' + i % 26);
    const std::string r = Split(s, 100);
    ASSERT_EQ(r.size(), 255u);
    EXPECT_EQ(r, s.substr(0, 100) + "\r\n" + s.substr(100, 153));
}

// The caller may split a variable into itself.
TEST(SplitStr, TheResultMayBeTheStringItself) {
    ShortString s("Startup and more");
    ZvSplitStr(s, 7, s);
    EXPECT_EQ(s.str(), "Startup\r\n and more");
}

}  // namespace
