#include "filesearch/file_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "filesearch/look_in.h"
#include "filesearch/mask.h"
#include "platform/fake/fake_directory_listing.h"

namespace glmx::filesearch {
namespace {

using ::testing::ElementsAre;

TEST(Mask, MatchesWholeNamesByCharacterWithoutRegardToCase) {
    struct Case {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.exe", "README.EXE", true},
        {"*.exe", "setup.exe", true},
        {"*.exe", "setup.exe.txt", false},
        {"note", "notepad.exe", false},
        {"note", "NOTE", true},
        {"", "", false},
        {"", "a", false},
        {"*", "", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        {"?", "", false},
        {"??.txt", "ab.txt", true},
        {"??.txt", "abc.txt", false},
        {"?.txt", "\u00e9.txt", true},      // one character, two bytes
        {"?.txt", "\U0001F600.txt", true},  // one character, four bytes
        {"[a-c]x", "Bx", true},
        {"[a-c]x", "dx", false},
        {"[!a-c]x", "dx", true},
        {"[!a-c]x", "Cx", false},
        {"[xyz]", "Y", true},
        {"[c-a]", "b", true},  // ends either way round
        {"[]a]", "]", true},   // "]" first is a member
        {"[a-]", "-", true},
        {"[a", "[a", true},  // never closed: a literal "["
        {"[a", "a", false},
        {"[!", "[!", true},
        {"*[*", "x[y", true},
        {"\u00c4rger*", "\u00e4RGER.txt", true},  // Latin-1
        {"\u0178", "\u00ff", true},
        {"\u0141\u00f3d\u017a", "\u0142\u00d3D\u0179", true},  // Latin Extended-A
        {"\u03a3\u03c5\u03bd", "\u03c3\u03a5\u039d", true},    // Greek
        {"\u03c2", "\u03a3", true},                            // final sigma
        {"\u0416\u0443\u0401", "\u0436\u0423\u0451", true},    // Cyrillic
        {"[\u0430-\u044f]", "\u0416", true},
        {"\xff", "\xff", true},  // bytes that are no UTF-8 match only themselves
        {"?", "\xff", true},
        {"\xff", "\xfe", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskMatches(c.mask, c.name), c.matches) << c.mask << " / " << c.name;
}

TEST(LookIn, SplitsAtCommasAndSemicolonsKeepingEmptyNamesAndBlanks) {
    EXPECT_THAT(SplitLookIn("C:\\;D:\\Data"), ElementsAre("C:\\", "D:\\Data"));
    EXPECT_THAT(SplitLookIn("C:\\Temp;"), ElementsAre("C:\\Temp", ""));
    EXPECT_THAT(SplitLookIn("C:\\Temp, D:\\Temp"), ElementsAre("C:\\Temp", " D:\\Temp"));
    EXPECT_THAT(SplitLookIn("a;;b,"), ElementsAre("a", "", "b", ""));
    EXPECT_THAT(SplitLookIn(""), ElementsAre(""));
    EXPECT_EQ(NotAValidFolderMessage(""), "'' is not a valid folder");
    EXPECT_EQ(NotAValidFolderMessage(" D:\\Temp"), "' D:\\Temp' is not a valid folder");
}

class Recorder final : public SearchObserver {
public:
    void LookingIn(const std::string& folder) override { events.push_back("in " + folder); }
    void Found(const std::string& path) override { events.push_back(path); }
    bool StopRequested() override { return ++asked > stopAfter; }

    std::vector<std::string> events;
    int asked = 0;
    int stopAfter = 1 << 30;
};

class FileSearch : public ::testing::Test {
protected:
    std::vector<std::string> Search(std::vector<std::string> folders, const char* mask) {
        SearchFolders(folders, mask, listing, recorder);
        return recorder.events;
    }

    platform::FakeDirectoryListing listing;
    Recorder recorder;
};

TEST_F(FileSearch, WalksDepthFirstInListingOrderAndFoldersInOrder) {
    listing.AddFile("C:\\A\\README.EXE");
    listing.AddFile("C:\\A\\x.exe\\setup.exe");  // a folder named like a match
    listing.AddFile("C:\\A\\x.exe\\notes.txt");
    listing.AddFile("C:\\A\\tool.exe");
    listing.AddFile("D:\\B\\last.exe");
    EXPECT_THAT(
        Search({"C:\\A", "D:\\B\\"}, "*.exe"),
        ElementsAre("in C:\\A\\", "C:\\A\\README.EXE", "in C:\\A\\x.exe\\",
                    "C:\\A\\x.exe\\setup.exe", "C:\\A\\tool.exe", "in D:\\B\\", "D:\\B\\last.exe"));
}

TEST_F(FileSearch, StopEndsAfterTheCurrentEntryAndKeepsWhatWasFound) {
    for (const char* file : {"a.txt", "b.txt", "c.txt"})
        listing.AddFile(std::string("C:\\A\\") + file);
    listing.AddFile("D:\\d.txt");
    recorder.stopAfter = 3;  // the folder, then two entries
    EXPECT_THAT(Search({"C:\\A", "D:\\"}, "*"),
                ElementsAre("in C:\\A\\", "C:\\A\\a.txt", "C:\\A\\b.txt"));
}

TEST_F(FileSearch, SearchesEachDirectoryOnceThroughLinksAndOverlaps) {
    listing.AddFile("C:\\A\\a.txt");
    listing.AddLink("C:\\A\\loop", "C:\\A");  // a junction back to its parent
    listing.AddFile("C:\\A\\B\\b.txt");
    listing.AddLink("C:\\A\\B\\up", "C:\\A\\B");
    listing.AddLink("C:\\Z\\toB", "C:\\A\\B");  // to a folder searched already
    listing.AddFile("C:\\Z\\z.txt");
    listing.AddLink("C:\\Z\\toD", "D:\\X");  // on another volume
    listing.AddFile("D:\\X\\x.txt");
    EXPECT_THAT(Search({"D:\\X", "C:\\A", "c:\\a\\b", "C:\\Z"}, "*.txt"),
                ElementsAre("in D:\\X\\", "D:\\X\\x.txt", "in C:\\A\\", "C:\\A\\a.txt",
                            "in C:\\A\\B\\", "C:\\A\\B\\b.txt", "in C:\\Z\\", "C:\\Z\\z.txt"));
}

TEST_F(FileSearch, BelowOneFolderWithoutLinksTellsNoIdentityAndSkipsPathsTooLongForWindows) {
    listing.AddFile("C:\\A\\B\\b.txt");
    std::string longest = "C:\\A\\";  // 32,767 characters, twice as many bytes
    for (int i = 0; i < 32762; ++i) longest += "\u00e9";
    listing.AddFile(longest + "\\x\\deep.txt");
    const std::string in = "in " + longest + "\\";
    EXPECT_THAT(Search({"C:\\A"}, "*.txt"),
                ElementsAre("in C:\\A\\", "in C:\\A\\B\\", "C:\\A\\B\\b.txt", in));
    EXPECT_EQ(listing.IdentityQueries(), 0);
    recorder.events.clear();  // an overlapping second folder is told by the identities then
    EXPECT_THAT(Search({"C:\\A", "c:\\a\\b"}, "*.txt"),
                ElementsAre("in C:\\A\\", "in C:\\A\\B\\", "C:\\A\\B\\b.txt", in));
}

TEST_F(FileSearch, ALinkMetLateStillFindsTheDirectoriesSearchedBeforeIt) {
    listing.AddFile("C:\\A\\B\\b.txt");
    listing.AddLink("C:\\A\\C\\toB", "C:\\A\\B");  // searched and closed
    listing.AddLink("C:\\A\\C\\up", "C:\\A");      // still open
    listing.AddFile("C:\\A\\C\\c.txt");
    listing.AddFile("C:\\A\\D\\d.txt");
    EXPECT_THAT(Search({"C:\\A"}, "*.txt"),
                ElementsAre("in C:\\A\\", "in C:\\A\\B\\", "C:\\A\\B\\b.txt", "in C:\\A\\C\\",
                            "C:\\A\\C\\c.txt", "in C:\\A\\D\\", "C:\\A\\D\\d.txt"));
}

TEST_F(FileSearch, WithoutIdentityAFolderCountsByItsPathAndDeniedFoldersAreSkipped) {
    listing.AddFile("C:\\A\\Locked\\secret.txt");
    listing.AddFile("C:\\A\\Open\\seen.txt");
    listing.Deny("C:\\A\\Locked");
    listing.HideIdentity("C:\\A\\Open");
    EXPECT_THAT(Search({"C:\\A\\Open", "c:\\a\\open\\", "C:\\A", "C:\\missing"}, "*.txt"),
                ElementsAre("in C:\\A\\Open\\", "C:\\A\\Open\\seen.txt", "in C:\\A\\"));
}

TEST_F(FileSearch, AnEmptyMaskFindsNothing) {
    listing.AddFile("C:\\A\\a.txt");
    EXPECT_THAT(Search({"C:\\A"}, ""), ElementsAre("in C:\\A\\"));
}

}  // namespace
}  // namespace glmx::filesearch
