#pragma once
#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace vesk {

class FolderEdit;

// The options dialog. It works on the three settings members of the main
// window, handed to it by reference: it shows them when built and writes them
// only when the user confirms with OK. Its controls are public members under
// their designed names.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    // Builds the controls, then runs FormCreate in the guard.
    TForm2(std::string& BackupFolder, std::string& ArchiveCommand, std::string& DialogSwitch,
           QWidget* parent = nullptr);

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QGroupBox* GroupBox1;
    QPushButton* Button1;
    FolderEdit* Edit1;
    QPushButton* Button2;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;

    void FormCreate(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void BitBtn1Click(QObject* Sender);

    // The chosen folder's path, or the empty text when nothing was chosen.
    std::string BrowseFolder(QWidget* owner);

    // Shows the dialog modally and returns once it has closed.
    void ShowModal();

private:
    void buildControls();
    void connectHandlers();

    std::string& BackupFolder;
    std::string& ArchiveCommand;
    std::string& DialogSwitch;
};

// How ShowModal runs the dialog: exec() in the program. Tests replace it to
// work the open dialog through its controls and keys. Returns the runner in
// use before.
using ModalRunner = std::function<void(TForm2& dialog)>;
ModalRunner setModalRunner(ModalRunner runner);

}  // namespace vesk
