// The player's bands file: where a rating stands at the edges of its bands, the forms a spreadsheet
// saves the table in, and every file that cannot be used named by its line.
#include "toolkit/RatingBands.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

namespace {

RatingBands bandsOf(const std::string& text) {
    return RatingBands::parse(text, "bands.csv");
}

// The message a file that cannot be used gives; empty when it can be used.
std::string faultOf(const std::string& text) {
    try {
        bandsOf(text);
    } catch (const BandsFileError& failure) {
        return failure.what();
    }
    return {};
}

const std::string kSeason = "Playlist,Band,From\n"
                            "Ranked Doubles,Diamond I,1200\n"
                            "Ranked Doubles,Gold I,800\n" // any order
                            "Ranked Doubles,Platinum I,1000\n"
                            "Ranked Duel,Champion,1300\n";

TEST(RatingBands, ABandRunsFromItsFromUpToTheNextBandsFrom) {
    const RatingBands bands = bandsOf(kSeason);
    // A rating equal to a From is in that band.
    EXPECT_EQ(bands.standing("Ranked Doubles", 1000),
              (BandStanding{"Platinum I", 1000, "Diamond I", 1200, 200}));
    EXPECT_EQ(bands.standing("Ranked Doubles", 999), (BandStanding{"Gold I", 800, "Platinum I", 1000, 1}));
    EXPECT_EQ(bands.standing("Ranked Doubles", 800), (BandStanding{"Gold I", 800, "Platinum I", 1000, 200}));
    EXPECT_EQ(bands.standing("Ranked Doubles", 1199)->toNext, 1);
    // The top band has no next; below the lowest, no band.
    EXPECT_EQ(bands.standing("Ranked Doubles", 1200),
              (BandStanding{"Diamond I", 1200, std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(bands.standing("Ranked Doubles", 5000)->name, "Diamond I");
    EXPECT_EQ(bands.standing("Ranked Doubles", 799), std::nullopt);
    // Another playlist's bands are its own; one without bands, or no rating, has none.
    EXPECT_EQ(bands.standing("Ranked Duel", 1299), std::nullopt);
    EXPECT_EQ(bands.standing("Ranked Duel", 1300)->name, "Champion");
    EXPECT_EQ(bands.standing("Ranked Standard", 1000), std::nullopt);
    EXPECT_EQ(bands.standing("ranked doubles", 1000), std::nullopt) << "titles are matched exactly";
    EXPECT_EQ(bands.standing("Ranked Doubles", std::nullopt), std::nullopt);
    EXPECT_EQ(bandsOf("Playlist,Band,From\nCasual,Any,-10\n").standing("Casual", 0), std::nullopt)
        << "a rating of 0 is none";
    EXPECT_FALSE(bands.empty());
    EXPECT_TRUE(bandsOf("Playlist,Band,From\n").empty());
}

TEST(RatingBands, TheFormsASpreadsheetSavesTheTableInReadAlike) {
    const RatingBands plain = bandsOf(kSeason);
    const std::vector<std::string> alike{
        "\xEF\xBB\xBFPlaylist,Band,From\r\nRanked Doubles,Gold I,800\r\n\r\nRanked Doubles,Platinum "
        "I,1000\r\n",
        "Playlist;Band;From\nRanked Doubles;Gold I;800\nRanked Doubles;Platinum I;+1000\n",
        "Playlist\tBand\tFrom\nRanked Doubles\tGold I\t800\nRanked Doubles\tPlatinum I\t1000",
        "\"Playlist\",\"Band\",\"From\",,\n\"Ranked Doubles\", \"Gold I\" , 800 ,,\n,,,,\n"
        "Ranked Doubles,Platinum I,1000\n",
    };
    for (const std::string& text : alike) {
        const RatingBands bands = bandsOf(text);
        for (const std::int32_t rating : {799, 800, 999, 1000, 1100})
            EXPECT_EQ(bands.standing("Ranked Doubles", rating),
                      rating < 1000 ? plain.standing("Ranked Doubles", rating)
                                    : std::optional(BandStanding{"Platinum I", 1000, std::nullopt,
                                                                 std::nullopt, std::nullopt}))
                << testing::PrintToString(text) << " " << rating;
    }
    // A title holding the separator, in quotes, and a quote doubled inside one.
    const RatingBands quoted =
        bandsOf("Playlist,Band,From\n\"Tournament, Saturday Cup\",\"\"\"Pro\"\"\",1\n");
    EXPECT_EQ(quoted.standing("Tournament, Saturday Cup", 5)->name, "\"Pro\"");
    EXPECT_EQ(bandsOf("Playlist,Band,From\n\xE6\x8E\x92\xE4\xBD\x8D,\xE9\x92\xBB\xE7\x9F\xB3,900\n")
                  .standing("\xE6\x8E\x92\xE4\xBD\x8D", 901)
                  ->name,
              "\xE9\x92\xBB\xE7\x9F\xB3");
}

TEST(RatingBands, AFileThatCannotBeUsedSaysWhereAndWhat) {
    const struct {
        std::string text;
        std::string says;
    } bad[] = {
        {"", "bands.csv:1: the first line must be the header Playlist,Band,From"},
        {"Playlist,Rank,From\nRanked Doubles,Gold,800\n", "bands.csv:1: the first line must be the header"},
        {"Ranked Doubles,Gold,800\n", "bands.csv:1: the first line must be the header"},
        {"Playlist,Band,From\nRanked Doubles,Gold,800\nRanked Doubles,Platinum\n",
         "bands.csv:3: 2 fields; a band's line has three: Playlist,Band,From"},
        {"Playlist,Band,From\nRanked Doubles,Gold,800,x\n", "bands.csv:2: 4 fields"},
        {"Playlist,Band,From\nRanked Doubles,Gold,800.5\n",
         "bands.csv:2: From is not a whole number: \"800.5\""},
        {"Playlist,Band,From\nRanked Doubles,Gold,\n", "bands.csv:2: From is not a whole number: \"\""},
        {"Playlist,Band,From\nRanked Doubles,Gold,1 000\n", "bands.csv:2: From is not a whole number"},
        {"Playlist,Band,From\nRanked Doubles,Gold,99999999999\n", "bands.csv:2: From is out of range"},
        {"Playlist,Band,From\nRanked Doubles,,800\n", "bands.csv:2: the band has no name"},
        {"Playlist,Band,From\n,Gold,800\n", "bands.csv:2: no playlist"},
        {"Playlist,Band,From\nRanked Doubles,Gold,800\n\nRanked Doubles,Gold II,800\n",
         "bands.csv:4: Ranked Doubles has a band from 800 already (line 2)"},
        {"Playlist,Band,From\n\"Ranked Doubles,Gold,800\n", "bands.csv:2: a quoted field is not closed"},
        {"Playlist,Band,From\n\"Ranked\" Doubles,Gold,800\n",
         "bands.csv:2: a quoted field is not closed, or text follows"},
        {"Playlist,Band,From\nRanked Doubles,Gold \xFF,800\n", "bands.csv:2: not UTF-8 text"},
        {"Playlist,Band,From\nRanked Doubles,Gold\x1B[31m,800\n",
         "bands.csv:2: a control character (U+001B)"},
        {"Playlist,Band,From\nRanked Doubles,Gold,800\nRanked\tDoubles,Gold,900\r\n",
         "bands.csv:3: a control character (U+0009)"},
    };
    for (const auto& file : bad) {
        const std::string fault = faultOf(file.text);
        EXPECT_TRUE(fault.starts_with(file.says)) << fault << "\n  wanted: " << file.says;
    }
}

TEST(RatingBands, TheFileIsReadFromDiskOrSaysWhyNot) {
    TempFolder folder;
    writeFile(folder / "bands.csv", kSeason);
    EXPECT_EQ(RatingBands::read(folder / "bands.csv", "mine.csv").standing("Ranked Duel", 1400)->name,
              "Champion");
    std::filesystem::create_directory(folder / "a folder");
    const struct {
        std::filesystem::path file;
        std::string says;
    } bad[] = {{folder / "missing.csv", "mine.csv: no such file"},
               {folder / "a folder", "mine.csv: is a folder, not a bands file"}};
    for (const auto& file : bad) {
        try {
            RatingBands::read(file.file, "mine.csv");
            ADD_FAILURE() << file.says;
        } catch (const BandsFileError& failure) {
            EXPECT_EQ(std::string(failure.what()), file.says);
        }
    }
}

TEST(RatingBands, TheStandingsJsonShape) {
    const RatingBands bands = bandsOf(kSeason);
    EXPECT_EQ(bandJson(bands.standing("Ranked Doubles", 1120)).dump(),
              R"({"name":"Platinum I","from":1000,"nextName":"Diamond I","nextFrom":1200,"toNext":80})");
    EXPECT_EQ(bandJson(bands.standing("Ranked Duel", 1300)).dump(),
              R"({"name":"Champion","from":1300,"nextName":null,"nextFrom":null,"toNext":null})");
    EXPECT_TRUE(bandJson(bands.standing("Ranked Duel", 100)).is_null());
}

} // namespace
