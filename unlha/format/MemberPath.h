#pragma once
#include <string>
#include <string_view>

namespace unlha {

// A member path split the way level-1/2 headers store it.
struct SplitPath {
    std::string folder;  // '/'-separated, ends in '/', begins with '/' from the root; may be empty
    std::string name;    // the last component; empty for a folder entry
};

// Splits and checks a path given to the writer: '/' separators, an optional
// leading '/', a trailing '/' only for folders, no empty components, no NUL
// and no 0xFF bytes (the folder separator of the headers). Error otherwise.
SplitPath splitMemberPath(std::string_view path, bool isFolder);

// Folder field of extended header 0x02: components ended by 0xFF, a leading
// 0xFF for a path from the root.
std::string folderToField(std::string_view folder);
std::string folderFromField(std::string_view field);

// Level-0 path field (and level-1 base names): '\' separators. Reading also
// takes 0xFF, and does not split Shift-JIS characters whose second byte is '\'.
std::string pathToLevel0(std::string_view path);
std::string pathFromLevel0(std::string_view field);

}  // namespace unlha
