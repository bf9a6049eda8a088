// SPDX-License-Identifier: GPL-3.0-or-later
// The search compares eight name bytes at a time and lowers ASCII names itself. Whatever the
// name, its length or where the word sits in it, the answer must be the one a plain search
// of the name as the user reads it (lowered when case is ignored) gives, in an index file
// (read or mapped) and for an item in memory.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/name_text.h"
#include "search/coll_search.h"
#include "search/text_lower.h"
#include "store/coll_disk_file.h"
#include "store/collection.h"
#include "support/temp_folder.h"

namespace {

bool PlainMatch(const std::string& name, const std::string& word, bool caseSensitive) {
    if (caseSensitive) {
        return NameText(name).find(NameText(word)) != std::string::npos;
    }
    std::string loweredName;
    std::string loweredWord;
    LowerText(name, loweredName);
    LowerText(word, loweredWord);
    return loweredName.find(loweredWord) != std::string::npos;
}

class CNames : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override { names.push_back(result.name); }
    std::vector<std::string> names;
};

// One disk holding `names` as files at its root, in that order. In the index file each name
// is followed by its times, which here spell "llll": a match must never run into them.
struct CNamesDisk {
    explicit CNamesDisk(const std::vector<std::string>& names) {
        CCollDisk disk;
        for (const std::string& name : names) {
            auto file = std::make_unique<CCollDiskFile>();
            file->name = name;
            file->accessTime = file->creationTime = file->modifyTime = 0x6C6C6C6C;
            disk.content.files.Add(std::move(file));
        }
        std::string path = folder.Path("Names.cdi");
        EXPECT_TRUE(disk.SaveIndexFile(path));
        collection.AddDisk(CCollDisk::OfIndexFile(path));
    }

    std::vector<std::string> Search(const std::string& word, bool caseSensitive, bool mapped) {
        CCollSearch search(&collection);
        CNames found;
        CCollSearchCriteria criteria;
        criteria.caseSensitive = caseSensitive;
        criteria.useMemoryMappedFile = mapped;
        criteria.SetWords(word);
        search.Run(criteria, found);
        return found.names;
    }

    CTempFolder folder;
    CCollection collection;
};

void ExpectPlainAnswers(const std::vector<std::string>& names,
                        const std::vector<std::string>& words) {
    CNamesDisk disk(names);
    for (bool caseSensitive : {true, false}) {
        for (const std::string& word : words) {
            std::vector<std::string> expected;
            for (const std::string& name : names) {
                if (PlainMatch(name, word, caseSensitive)) {
                    expected.push_back(name);
                }
            }
            SCOPED_TRACE("word \"" + word + "\"" + (caseSensitive ? ", case" : ""));
            EXPECT_EQ(disk.Search(word, caseSensitive, false), expected);
            EXPECT_EQ(disk.Search(word, caseSensitive, true), expected);

            CCollSearch search(nullptr);
            CCollSearchCriteria criteria;
            criteria.caseSensitive = caseSensitive;
            criteria.SetWords(word);
            search.SetCriteria(criteria);
            for (const std::string& name : names) {
                CCollDiskFile file;
                file.name = name;
                EXPECT_EQ(search.Accept(file), PlainMatch(name, word, caseSensitive))
                    << "\"" << name << "\"";
            }
        }
    }
}

// The names a search with only `word` accepts, asked one name at a time.
std::vector<std::string> AcceptedNames(const std::vector<std::string>& names,
                                       const std::string& word, bool caseSensitive) {
    CCollSearch search(nullptr);
    CCollSearchCriteria criteria;
    criteria.caseSensitive = caseSensitive;
    criteria.SetWords(word);
    search.SetCriteria(criteria);
    std::vector<std::string> accepted;
    for (const std::string& name : names) {
        CCollDiskFile file;
        file.name = name;
        if (search.Accept(file)) {
            accepted.push_back(name);
        }
    }
    return accepted;
}

}  // namespace

TEST(WordMatch, WordsAtEveryPlaceAndEveryLength) {
    std::vector<std::string> names;
    // The word at each offset of names up to three 8-byte words long, and cut short at the end.
    for (std::size_t before = 0; before < 20; ++before) {
        names.push_back(std::string(before, 'x') + "Quetzal" + std::string(before % 3, 'y'));
        names.push_back(std::string(before, 'x') + "Quetza");
    }
    names.push_back("");
    names.push_back("Q");
    names.push_back("QuetzaQuetzalQ");       // a false start just before the word
    names.push_back("QlQlQlQlQlQlQlQlQl");   // first and last bytes everywhere, never the word
    names.push_back("\x01Quetzal\x01\x01");  // bytes the borrow of the 8-byte compare touches
    names.push_back(std::string(255, 'Q'));
    names.push_back(std::string(248, 'a') + "QUETZAL");
    ExpectPlainAnswers(names, {"Quetzal", "quetzal", "QUETZAL", "Q", "l", "QQ", "etza", "Ql"});
}

TEST(WordMatch, OnlyAsciiLettersAreLoweredOnTheFastPath) {
    // Bytes next to 'A'..'Z' and 'a'..'z' stay as they are; other names go the Unicode way,
    // where the Kelvin sign lowers to "k" and a lone code-page byte to its small letter.
    std::vector<std::string> names = {"@AZ[`az{", "Name@",   "[Name]",  "\xE2\x84\xAAing",
                                      "KING",     "M\xC4RZ", "m\xE4rz", "\xC3\x89t\xC3\xA9 photos",
                                      "\x7F\x80"};
    ExpectPlainAnswers(names, {"@a", "z[", "`", "{", "name@", "[name]", "king", "m\xE4rz",
                               "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", "\x80", "\x7F"});
}

TEST(WordMatch, MadeUpNamesAgreeWithAPlainSearch) {
    std::mt19937 random(20080412);
    const std::string letters = "abcqQzZAl@[`{ .-_\x01\x7F";
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        std::string name;
        std::size_t length = random() % 40;
        for (std::size_t j = 0; j < length; ++j) {
            name += letters[random() % letters.size()];
        }
        if (i % 25 == 0) {
            name += "\xC3\x84";  // now and then a name for the Unicode path
        }
        names.push_back(name);
    }
    std::vector<std::string> words;
    for (int i = 0; i < 30; ++i) {
        const std::string& name = names[random() % names.size()];
        if (name.size() > 2) {
            std::size_t at = random() % (name.size() - 1);
            std::string word = name.substr(at, 1 + random() % 6);
            if (word.find_first_of(" \x01") == std::string::npos) {
                words.push_back(word);
            }
        }
    }
    ExpectPlainAnswers(names, words);
}

TEST(WordMatch, CaseIsFoldedAsUnicodeFoldsItOnBothSides) {
    // Names and words as the user types them; the escapes are spelled out where a letter
    // looks like another.
    const std::string kelvin = "\xE2\x84\xAA";          // U+212A KELVIN SIGN
    const std::string micro = "\xC2\xB5";               // U+00B5 MICRO SIGN
    const std::string longS = "\xC5\xBF";               // U+017F LATIN SMALL LETTER LONG S
    const std::string dottedI = "\xC4\xB0";             // U+0130 LATIN CAPITAL LETTER I WITH DOT
    const std::string cherokeeA = "\xE1\x8E\xA0";       // U+13A0 CHEROKEE LETTER A
    const std::string cherokeeSmallA = "\xEA\xAD\xB0";  // U+AB70 CHEROKEE SMALL LETTER A
    std::vector<std::string> names = {"ΟΔΟΣ.txt",
                                      "ΟΔΟς",
                                      "Οδός",
                                      "οδοσ",
                                      "ReadMe.TXT",
                                      "Mo" + longS + "el.png",
                                      "300" + kelvin + ".dat",
                                      "kelvin.log",
                                      "5" + micro + "F.txt",
                                      "ϐιϐλίο",
                                      "STRAẞE",
                                      dottedI + "stanbul",
                                      cherokeeA + ".txt"};
    struct {
        std::string word;
        std::vector<std::string> found;
    } cases[] = {
        // Final sigma and sigma fold alike, in the word and in the name; accents stay.
        {"οδος", {"ΟΔΟΣ.txt", "ΟΔΟς", "οδοσ"}},
        {"ΟΔΟΣ", {"ΟΔΟΣ.txt", "ΟΔΟς", "οδοσ"}},
        // An ASCII word still meets mixed-case ASCII names on the fast path.
        {"readme.txt", {"ReadMe.TXT"}},
        {"README", {"ReadMe.TXT"}},
        // Long s is an s; the Kelvin sign a k, whether it is in the word or in the name.
        {"mosel", {"Mo" + longS + "el.png"}},
        {"MO" + longS, {"Mo" + longS + "el.png"}},
        {"300k", {"300" + kelvin + ".dat"}},
        {kelvin + "elvin", {"kelvin.log"}},
        // The micro sign is the Greek mu, small or capital.
        {"5μf", {"5" + micro + "F.txt"}},
        {"5ΜF", {"5" + micro + "F.txt"}},
        {"βιβλ", {"ϐιϐλίο"}},
        {"straße", {"STRAẞE"}},
        // The dotted capital I folds only fully, into two characters: it stays as it is.
        {"istanbul", {}},
        {dottedI + "STANBUL", {dottedI + "stanbul"}},
        // Cherokee folds to its capitals.
        {cherokeeSmallA, {cherokeeA + ".txt"}},
    };
    CNamesDisk disk(names);
    for (const auto& [word, found] : cases) {
        SCOPED_TRACE("word \"" + word + "\"");
        EXPECT_EQ(disk.Search(word, false, false), found);
        EXPECT_EQ(disk.Search(word, false, true), found);
        EXPECT_EQ(AcceptedNames(names, word, false), found);
    }
}

// A name that is not UTF-8 is shown with its stray bytes as code-page characters: what the
// user reads there can be typed back and found, case folded or not, in a title that mixes
// both kinds of text, and in a name too long for the fast path.
TEST(WordMatch, NamesThatAreNotUtf8AreFoundAsTheyRead) {
    const std::string bad = "bad\xFF\xFEname.txt";     // shown "badÿþname.txt"
    const std::string dejaVu = "d\xE9j\xE0 vu";        // shown "déjà vu"
    const std::string mixed = "Caf\xC3\xA9\xC9t\xE9";  // shown "CaféÉté"
    const std::string longName = std::string(300, 'x') + "\xC9t\xE9";
    const std::string utf8 = "\xC3\xA9t\xC3\xA9 2006";  // "été 2006", valid
    std::vector<std::string> names = {bad, dejaVu, mixed, longName, utf8};
    struct {
        std::string word;
        bool caseSensitive;
        std::vector<std::string> found;
    } cases[] = {
        {"\xC3\xBF\xC3\xBE", true, {bad}},      // "ÿþ"
        {"bad\xC3\xBF", false, {bad}},          // "badÿ"
        {"BAD\xC5\xB8\xC3\x9E", false, {bad}},  // "BADŸÞ"
        {"BAD\xC5\xB8\xC3\x9E", true, {}},
        {"d\xC3\xA9j\xC3\xA0", true, {dejaVu}},                 // "déjà"
        {"\xC3\xA9t\xC3\xA9", false, {mixed, longName, utf8}},  // "été"
        {"\xC3\x89t\xC3\xA9", true, {mixed, longName}},         // "Été"
        {"Caf\xC3\xA9\xC3\x89", true, {mixed}},                 // "CaféÉ"
        // A word given as code-page bytes reads as those characters too.
        {"\xC9t\xE9", true, {mixed, longName}},
    };
    CNamesDisk disk(names);
    for (const auto& [word, caseSensitive, found] : cases) {
        SCOPED_TRACE("word \"" + word + "\"" + (caseSensitive ? ", case" : ""));
        std::vector<std::string> onDisk;
        for (const std::string& name : found) {
            // An index file keeps names to 255 bytes.
            if (name.size() <= 255) {
                onDisk.push_back(name);
            }
        }
        EXPECT_EQ(disk.Search(word, caseSensitive, false), onDisk);
        EXPECT_EQ(disk.Search(word, caseSensitive, true), onDisk);
        EXPECT_EQ(AcceptedNames(names, word, caseSensitive), found);
    }
}
