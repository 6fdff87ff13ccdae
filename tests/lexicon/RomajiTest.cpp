#include "lexicon/Romaji.h"

#include "generator/KanaTables.h"
#include "generator/NameBatch.h"
#include "generator/RandomSource.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace kanatsumugi;

namespace {

std::string indicesOf(const KanaTables& tables, const std::string& katakana) {
    std::string indices;
    for (std::size_t at = 0; at < katakana.size(); at += 3) {
        indices += static_cast<char>(tables.indexOf(katakana.substr(at, 3)));
    }
    return indices;
}

struct Case {
    const char* kana;
    const char* hepburn;
    const char* ascii = nullptr; // when it differs
};

// Every kana, every pair with a spelling of its own, the pairs without one, and the
// rules for ッ, ン and ー, written out by hand.
const Case kCases[] = {
    {"アイウエオ", "aiueo"},
    {"カキクケコ", "kakikukeko"},
    {"サシスセソ", "sashisuseso"},
    {"タチツテト", "tachitsuteto"},
    {"ラリルレロ", "rarirurero"},
    {"ヤユヨワ", "yayuyowa"},
    {"ヴガギグゲゴ", "vugagigugego"},
    {"ザジズゼゾ", "zajizuzezo"},
    {"ダヂヅデド", "dadjidzudedo"},
    {"バビブベボ", "babibubebo"},
    // Pairs with their usual spellings.
    {"クァツァヴァグァヅァ", "kwatsavagwadza"},
    {"ウィスィツィヴィヅィ", "wisitsividzi"},
    {"トゥ", "tu"},
    {"イェウェシェチェツェ", "yeweshechetse"},
    {"ヴェギェヂェヅェ", "vegyedjedze"},
    {"ウォクォツォヴォヅォ", "wokwotsovodzo"},
    {"キャキュキョシャシュショ", "kyakyukyoshashusho"},
    {"チャチュチョリャリュリョ", "chachuchoryaryuryo"},
    {"ギャギュギョジャジュジョ", "gyagyugyojajujo"},
    {"ヂャヂュヂョビャビュビョ", "djadjudjobyabyubyo"},
    // Pairs no standard covers: the carrier, an apostrophe, the small kana's sound.
    {"ウァスァルァアァカァ", "u'asu'aru'aa'aka'a"},
    {"サァタァラァヤァワァ", "sa'ata'ara'aya'awa'a"},
    {"ガァゴァザァダァバァボァ", "ga'ago'aza'ada'aba'abo'a"},
    {"ギィジィヂィビィ", "gi'iji'idji'ibi'i"},
    {"ウゥクゥツゥスゥソゥ", "u'uku'utsu'usu'uso'u"},
    {"ルゥユゥグゥズゥゾゥヅゥブゥ", "ru'uyu'ugu'uzu'uzo'udzu'ubu'u"},
    {"カェケェスェセェテェレェ", "ka'eke'esu'ese'ete'ere'e"},
    {"ゲェズェゼェデェドェベェボェ", "ge'ezu'eze'ede'edo'ebe'ebo'e"},
    {"コォスォソォトォロォヨォ", "ko'osu'oso'oto'oro'oyo'o"},
    {"ゴォズォゾォドォブォボォ", "go'ozu'ozo'odo'obu'obo'o"},
    {"ツャツュツョヅャヅュヅョ", "tsu'yatsu'yutsu'yodzu'yadzu'yudzu'yo"},
    // ッ doubles the next consonant, tch before ch; t' where nothing can double.
    {"カッチ", "katchi"},
    {"アッカッシャッツッジャ", "akkasshattsujja"},
    {"アッヴァッヤッワ", "avvayyawwa"},
    {"カッアッンッッカッ", "kat'at'nt'kkat'"},
    {"ウッウィッイェ", "uwwiyye"},
    // ン: n' before a vowel or y, n elsewhere.
    {"カンアンヤンウィンカン", "kan'an'yanwinkan"},
    {"ンンッ", "nnt'"},
    {"カンイェ", "kan'ye"},
    // ー: a macron on the vowel before it, or a hyphen; ASCII has the hyphen only.
    {"カーキークーケーコー", "kākīkūkēkō", "ka-ki-ku-ke-ko-"},
    {"カァーシャー", "ka'āshā", "ka'a-sha-"},
    {"カーーンーッーー", "kā-n-t'--", "ka--n-t'--"},
    {"キイキー", "kiikī", "kiiki-"},
};

TEST(Romaji, HandWrittenCases) {
    const KanaTables tables = KanaTables::build();
    for (const Case& c : kCases) {
        const std::string indices = indicesOf(tables, c.kana);
        EXPECT_EQ(romaji(indices, RomajiStyle::Hepburn), c.hepburn) << c.kana;
        EXPECT_EQ(romaji(indices, RomajiStyle::Ascii), c.ascii ? c.ascii : c.hepburn) << c.kana;
    }
}

// Reads romaji of either style back into inventory indices, from the spellings of single
// syllables and the rules for ッ, ン and ー. If every name reads back as itself,
// no two names share a spelling.
class Reader {
public:
    explicit Reader(const KanaTables& tables) {
        for (int kana = 0; kana < tables.initialCount(); ++kana) {
            const std::string one(1, static_cast<char>(kana));
            EXPECT_TRUE(syllables_.emplace(romaji(one, RomajiStyle::Hepburn), one).second)
                << "two kana spelt " << romaji(one, RomajiStyle::Hepburn);
        }
        for (int small = KanaTables::kFirstSmallKana; small <= KanaTables::kLastSmallKana;
             ++small) {
            const TIntList& partners = tables.tableFor(small);
            for (int k = 0; k < partners.Count(); ++k) {
                const std::string pair = {static_cast<char>(partners[k]), static_cast<char>(small)};
                EXPECT_TRUE(syllables_.emplace(romaji(pair, RomajiStyle::Hepburn), pair).second ||
                            syllables_[romaji(pair, RomajiStyle::Hepburn)] == pair)
                    << "two syllables spelt " << romaji(pair, RomajiStyle::Hepburn);
            }
        }
    }

    [[nodiscard]] std::optional<std::string> read(std::string text) const {
        for (const auto& [macron, plain] :
             {std::pair{"ā", "a^"}, {"ī", "i^"}, {"ū", "u^"}, {"ē", "e^"}, {"ō", "o^"}}) {
            for (auto at = text.find(macron); at != std::string::npos; at = text.find(macron)) {
                text.replace(at, 2, plain);
            }
        }
        std::string indices;
        for (std::size_t at = 0; at < text.size();) {
            const std::string_view rest = std::string_view(text).substr(at);
            if (rest.starts_with("^") || rest.starts_with("-")) {
                indices += static_cast<char>(60);
                ++at;
            } else if (rest.starts_with("t'")) {
                indices += static_cast<char>(59);
                at += 2;
            } else if (rest.starts_with("n'")) {
                indices += static_cast<char>(29);
                at += 2;
            } else if (rest.starts_with("tch") ||
                       (rest.size() > 1 && rest[0] == rest[1] && rest[0] != 'n' &&
                        std::string_view("aiueo").find(rest[0]) == std::string_view::npos)) {
                indices += static_cast<char>(59);
                ++at;
            } else {
                std::size_t length = std::min<std::size_t>(rest.size(), 8);
                auto found = syllables_.end();
                while (length > 0 &&
                       (found = syllables_.find(rest.substr(0, length))) == syllables_.end()) {
                    --length;
                }
                if (length == 0) {
                    return std::nullopt;
                }
                indices += found->second;
                at += length;
            }
        }
        return indices;
    }

private:
    std::map<std::string, std::string, std::less<>> syllables_;
};

// Every sequence of up to three syllables, ッ and ー in every place: every neighbour
// that the rules look at.
TEST(Romaji, EverySequenceOfThreeSyllablesReadsBack) {
    const KanaTables tables = KanaTables::build();
    const Reader reader(tables);
    std::vector<std::string> syllables;
    syllables.reserve(tables.initialCount());
    for (int kana = 0; kana < tables.initialCount(); ++kana) {
        syllables.emplace_back(1, static_cast<char>(kana));
    }
    const std::size_t starters = syllables.size();
    for (int small = KanaTables::kFirstSmallKana; small <= KanaTables::kLastSmallKana; ++small) {
        const TIntList& partners = tables.tableFor(small);
        for (int k = 0; k < partners.Count(); ++k) {
            syllables.push_back({static_cast<char>(partners[k]), static_cast<char>(small)});
        }
    }
    syllables.emplace_back(1, static_cast<char>(59));
    syllables.emplace_back(1, static_cast<char>(60));
    for (std::size_t a = 0; a < starters; ++a) {
        for (const std::string& b : syllables) {
            for (std::size_t c = 0; c <= syllables.size(); ++c) {
                const std::string name =
                    syllables[a] + b + (c < syllables.size() ? syllables[c] : std::string());
                ASSERT_EQ(reader.read(romaji(name, RomajiStyle::Hepburn)), name)
                    << romaji(name, RomajiStyle::Hepburn);
            }
        }
    }
}

// Names from every part of a day, with the length left to chance and at its longest,
// in both styles.
TEST(Romaji, EveryNameOfADayReadsBack) {
    const KanaTables tables = KanaTables::build();
    const Reader reader(tables);
    std::vector<KanaIndexName> names(4096);
    for (const std::optional<std::int32_t> length : {std::optional<std::int32_t>(), {8}}) {
        for (std::uint32_t reading = 0; reading < kMillisecondsPerDay; reading += 4096 * 64) {
            makeNames(tables, length, reading, names);
            for (const KanaIndexName& name : names) {
                for (const RomajiStyle style : {RomajiStyle::Hepburn, RomajiStyle::Ascii}) {
                    const std::string text = romaji(name.indices(), style);
                    ASSERT_EQ(reader.read(text), std::string(name.indices())) << text;
                }
            }
        }
    }
}

} // namespace
