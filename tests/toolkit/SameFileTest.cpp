#include "toolkit/SameFile.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Runs in `folder` as the working folder, and goes back to the one before.
class InFolder {
public:
    explicit InFolder(const fs::path& folder)
        : before_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(before_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path before_;
};

TEST(SameFile, OneFileNamedInDifferentWaysIsOneWhetherOrNotItExists) {
    TempFolder folder;
    const InFolder working(folder.path());
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "before the file exists" : "once it exists");
        EXPECT_TRUE(sameFile("out.html", folder / "out.html"));
        EXPECT_TRUE(sameFile("./out.html", "out.html"));
        EXPECT_TRUE(sameFile("sub/../out.html", "out.html"));
        EXPECT_TRUE(sameFile(folder / "new-folder" / "out.html", "new-folder/out.html"))
            << "in a folder that does not exist either";
        writeFile(folder / "out.html", "x");
    }
}

TEST(SameFile, TwoFilesAreTwo) {
    TempFolder folder;
    const InFolder working(folder.path());
    EXPECT_FALSE(sameFile("page.html", "page.json"));
    EXPECT_FALSE(sameFile("a/page.html", "b/page.html"));
    writeFile(folder / "page.html", "x");
    writeFile(folder / "page.json", "x");
    EXPECT_FALSE(sameFile("page.html", "page.json")) << "the same bytes are not the same file";
    EXPECT_FALSE(sameFile("page.html", "page.html.missing"));
}

#if !defined(_WIN32)
TEST(SameFile, ALinkAndTheFileItNamesAreOne) {
    TempFolder folder;
    writeFile(folder / "stats.csv", "x");
    fs::create_symlink(folder / "stats.csv", folder / "link.csv");
    fs::create_hard_link(folder / "stats.csv", folder / "hard.csv");
    EXPECT_TRUE(sameFile(folder / "link.csv", folder / "stats.csv"));
    EXPECT_TRUE(sameFile(folder / "hard.csv", folder / "stats.csv"));
    fs::create_directory_symlink(folder.path(), folder / "again");
    EXPECT_TRUE(sameFile(folder / "again" / "later.html", folder / "later.html"))
        << "through a linked folder, before the file exists";
}
#endif

} // namespace
