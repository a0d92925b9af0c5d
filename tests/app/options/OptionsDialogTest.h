#pragma once
#include <QObject>

// The options dialog on its own: its frame and controls, its keys, its
// buttons and the folder picker it uses.
class OptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void frame();
    void controls_data();
    void controls();
    void tabWalksTheControlsInOrder();
    void keys_data();
    void keys();
    void editCannotBeTypedInto();
    void browse_data();
    void browse();
    void defaultButtonGivesTheProgramsBackupFolder();
    void folderBytesThatAreNotUtf8ComeBackUnchanged();
    void qtPickerIsSetUpForFoldersFromTheTop();
    void qtPickerAnswersWithoutTrailingSeparator_data();
    void qtPickerAnswersWithoutTrailingSeparator();
};
