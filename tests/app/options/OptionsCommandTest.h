#pragma once
#include <QObject>

// The options command of the main window: the dialog filled from the
// window's settings, what each way of closing it writes, the archive list
// rebuilt afterwards, and the settings file at the next close.
class OptionsCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mapping_data();
    void mapping();
    void leavingWithoutOk_data();
    void leavingWithoutOk();
    void okPointsTheListAtTheNewFolder_data();
    void okPointsTheListAtTheNewFolder();
    void aNewDialogEachTime();
    void folderThatCannotBeEnteredEndsTheCommand_data();
    void folderThatCannotBeEnteredEndsTheCommand();
    void settingsFileAfterTheNextClose_data();
    void settingsFileAfterTheNextClose();
};
