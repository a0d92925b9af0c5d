#pragma once
#include <string>

// The texts the window tests expect in the program's boxes, written out here
// rather than taken from the program so that a changed text fails a test.
namespace vesk::test {

inline const std::string Title = "Vesk ver1.00";
inline const std::string BackupAllQuestion = "一括バックアップします。よろしいですか？";
inline const std::string BackupFinished = "バックアップ終了しました";
inline const std::string RestoreAllQuestion =
    "一括リストアします。よろしいですか？\n\n※注意：既存のデータは上書きされます！！";
inline const std::string RestoreSelectedQuestion =
    "個別リストアします。よろしいですか？\n\n※注意：既存のデータは上書きされます！！";
inline const std::string DeleteQuestion = "選択しているファイルを削除します。よろしいですか？";

}  // namespace vesk::test
