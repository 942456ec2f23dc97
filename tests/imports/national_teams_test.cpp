#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <unordered_map>

#include <utf8proc.h>

#include "gamefile/game_file.h"
#include "imports/national_teams.h"
#include "model/text_field.h"
#include "text/normalize.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {
namespace {

// `utf8` without its accents (NFD, combining marks dropped).
std::string withoutAccents(std::string_view utf8) {
    utf8proc_uint8_t* out = nullptr;
    const auto length = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                                     static_cast<utf8proc_ssize_t>(utf8.size()), &out,
                                     static_cast<utf8proc_option_t>(UTF8PROC_DECOMPOSE | UTF8PROC_STRIPMARK));
    const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(out, &std::free);
    if (length < 0) return {};
    return std::string(reinterpret_cast<const char*>(out), static_cast<std::size_t>(length));
}

TEST(NationalTeams, EveryRowIsWellFormed) {
    const auto& rows = nationalTeams();
    // FIFA's 211 member associations and eight former teams.
    EXPECT_EQ(rows.size(), 219u);
    std::set<std::string> codes;
    for (const NationalTeam& row : rows) {
        EXPECT_EQ(row.code.size(), 3u) << row.code;
        for (const char c : row.code) EXPECT_TRUE(c >= 'A' && c <= 'Z') << row.code;
        EXPECT_TRUE(codes.insert(row.code).second) << "code twice: " << row.code;
        EXPECT_FALSE(row.englishNames.empty()) << row.code;
    }
}

// The model holds Shift-JIS: every Japanese name can be a team's name. An
// English name Shift-JIS cannot hold (an accent) has its plain twin beside it.
TEST(NationalTeams, JapaneseNamesHaveAShiftJisFormAndAccentsATwin) {
    for (const NationalTeam& row : nationalTeams()) {
        std::vector<std::string> japanese{row.japaneseName};
        japanese.insert(japanese.end(), row.japaneseVariants.begin(), row.japaneseVariants.end());
        for (const std::string& name : japanese) {
            const auto sjis = sjis::fromUtf8(name);
            ASSERT_TRUE(sjis) << row.code << ": " << name << " has no Shift-JIS form";
            EXPECT_LE(sjis->size(), TextField::kMaxBytes) << row.code << ": " << name;
        }
        for (const std::string& name : row.englishNames) {
            if (sjis::fromUtf8(name)) continue;
            const std::string plain = withoutAccents(name);
            EXPECT_TRUE(sjis::fromUtf8(plain)) << row.code << ": " << name;
            EXPECT_NE(std::find(row.englishNames.begin(), row.englishNames.end(), plain), row.englishNames.end())
                << row.code << ": " << name << " without its twin " << plain;
        }
    }
}

// Each name stands for one row, and finding it gives that row.
TEST(NationalTeams, NoTwoRowsShareAName) {
    std::unordered_map<std::string, std::string> owner;  // normalised name -> code
    for (const NationalTeam& row : nationalTeams()) {
        for (const std::string_view name : allNames(row)) {
            const std::string normalized = text::normalizeName(name);
            ASSERT_FALSE(normalized.empty()) << row.code;
            const auto [at, fresh] = owner.emplace(normalized, row.code);
            EXPECT_TRUE(fresh || at->second == row.code)
                << "\"" << name << "\" of " << row.code << " is also a name of " << at->second;
            const NationalTeam* found = findNationalTeam(name);
            ASSERT_NE(found, nullptr) << name;
            EXPECT_EQ(found->code, row.code) << name;
        }
    }
}

TEST(NationalTeams, FindsNamesAsDataSetsAndPeopleWriteThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"Korea Republic", "韓国"},  {"South Korea", "韓国"},     {"KOR", "韓国"},
        {"大韓民国", "韓国"},         {"USA", "アメリカ"},          {"United States", "アメリカ"},
        {"米国", "アメリカ"},         {"ﾌﾞﾗｼﾞﾙ", "ブラジル"},       {" brazil ", "ブラジル"},
        {"ＪＡＰＡＮ", "日本"},       {"jpn", "日本"},             {"Côte d'Ivoire", "コートジボワール"},
        {"Cote d'Ivoire", "コートジボワール"}, {"Ivory Coast", "コートジボワール"},
        {"Bosnia & Herzegovina", "ボスニア・ヘルツェゴビナ"}, {"Bosnia-Herzegovina", "ボスニア・ヘルツェゴビナ"},
        {"Czechia", "チェコ"},        {"DR Congo", "コンゴ民主共和国"}, {"Congo", "コンゴ共和国"},
        {"Türkiye", "トルコ"},        {"Turkey", "トルコ"},          {"IR Iran", "イラン"},
        {"China PR", "中国"},         {"Republic of Ireland", "アイルランド"}, {"Ireland", "アイルランド"},
        {"Northern Ireland", "北アイルランド"}, {"Wales", "ウェールズ"}, {"Curaçao", "キュラソー"},
        {"Cape Verde", "カーボベルデ"}, {"West Germany", "西ドイツ"}, {"Germany", "ドイツ"},
        {"Soviet Union", "ソビエト連邦"}, {"Zaire", "ザイール"},     {"Dutch East Indies", "オランダ領東インド"},
    };
    for (const auto& [name, japanese] : cases) {
        const NationalTeam* row = findNationalTeam(name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(row->japaneseName, japanese) << name;
    }
    for (const char* unknown : {"", "Korea", "Atlantis", "FC Tokyo", "ドミニカ"})
        EXPECT_EQ(findNationalTeam(unknown), nullptr) << unknown;
}

std::set<std::string> teamNamesOf(const std::string& jsonFile) {
    std::ifstream in(jsonFile);
    if (!in) {
        ADD_FAILURE() << "cannot read " << jsonFile << " (the shared openfootball match lists)";
        return {};
    }
    const auto json = nlohmann::json::parse(in);
    std::set<std::string> names;
    for (const auto& match : json.at("matches")) {
        names.insert(match.at("team1").get<std::string>());
        names.insert(match.at("team2").get<std::string>());
    }
    return names;
}

// Public match lists name every team the table knows; the 2002 names give
// the very names of the example game's teams.
TEST(NationalTeams, KnowsTheWorldCupMatchLists) {
    const std::string dir = SCORVALE_SHARED_DATA_DIR "/openfootball/";
    const auto names2014 = teamNamesOf(dir + "worldcup2014.json");
    EXPECT_EQ(names2014.size(), 32u);
    for (const std::string& name : names2014) EXPECT_NE(findNationalTeam(name), nullptr) << name;

    Game example;
    loadGame(example, SCORVALE_SOURCE_DIR "/examples/worldcup2002.svl", ReadAll);
    std::set<std::string> exampleNames;
    for (const Team& team : example.teams()) exampleNames.insert(sjis::toUtf8(team.name.view()));
    ASSERT_EQ(exampleNames.size(), 32u);

    std::set<std::string> mainNames;
    for (const std::string& name : teamNamesOf(dir + "worldcup2002.json")) {
        const NationalTeam* row = findNationalTeam(name);
        ASSERT_NE(row, nullptr) << name;
        mainNames.insert(row->japaneseName);
    }
    EXPECT_EQ(mainNames, exampleNames);
}

}  // namespace
}  // namespace scorvale::imports
