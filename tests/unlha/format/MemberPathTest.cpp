#include <gtest/gtest.h>

#include "unlha/Error.h"
#include "unlha/format/MemberPath.h"

namespace {

using unlha::folderFromField;
using unlha::pathFromLevel0;
using unlha::splitMemberPath;

TEST(MemberPath, SplitsFolderAndName) {
    struct Case {
        const char* path;
        bool folder;
        const char* expectFolder;
        const char* expectName;
    };
    const Case cases[] = {
        {"a.txt", false, "", "a.txt"},
        {"dir/sub/a.txt", false, "dir/sub/", "a.txt"},
        {"/home/user/save 1/データ.sav", false, "/home/user/save 1/", "データ.sav"},
        {"/a", false, "/", "a"},
        {"dir/sub/", true, "dir/sub/", ""},
        {"/abs/", true, "/abs/", ""},
    };
    for (const Case& c : cases) {
        unlha::SplitPath s = splitMemberPath(c.path, c.folder);
        EXPECT_EQ(s.folder, c.expectFolder) << c.path;
        EXPECT_EQ(s.name, c.expectName) << c.path;
    }
}

TEST(MemberPath, RefusesPathsNoHeaderCanHold) {
    for (const char* p : {"", "dir/", "a//b", "/", "//a", "a\xFF" "b"}) {
        EXPECT_THROW(splitMemberPath(p, false), unlha::Error) << p;
    }
    EXPECT_THROW(splitMemberPath("dir", true), unlha::Error);
    EXPECT_THROW(splitMemberPath(std::string("a\0b", 3), false), unlha::Error);
}

TEST(MemberPath, FolderFieldUsesFFSeparatorsAndLeadingRoot) {
    EXPECT_EQ(unlha::folderToField("dir/sub/"), "dir\xFF" "sub\xFF");
    EXPECT_EQ(unlha::folderToField("/tmp/x/"), "\xFF" "tmp\xFF" "x\xFF");
    EXPECT_EQ(folderFromField("dir\xFF" "sub\xFF"), "dir/sub/");
    EXPECT_EQ(folderFromField("\xFF" "tmp\xFF" "x\xFF"), "/tmp/x/");
    EXPECT_EQ(folderFromField("dir\xFF" "sub"), "dir/sub/");  // missing trailing separator
    EXPECT_EQ(folderFromField("\xFF"), "/");
    EXPECT_EQ(folderFromField(""), "");
}

TEST(MemberPath, Level0PathsTakeBackslashAndFF) {
    EXPECT_EQ(unlha::pathToLevel0("/dir/a b.txt"), "\\dir\\a b.txt");
    EXPECT_EQ(pathFromLevel0("\\dir\\sub\\a.txt"), "/dir/sub/a.txt");
    EXPECT_EQ(pathFromLevel0("dir\xFF" "a.txt"), "dir/a.txt");
    EXPECT_EQ(pathFromLevel0("セーブ\\データ.txt"), "セーブ/データ.txt");
    // Shift-JIS ソフト\表.txt: both ソ (83 5C) and 表 (95 5C) end in a '\' byte.
    EXPECT_EQ(pathFromLevel0("\x83\x5C\x83t\x83g\\\x95\x5C.txt"), "\x83\x5C\x83t\x83g/\x95\x5C.txt");
}

}  // namespace
