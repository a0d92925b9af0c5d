#include "app/BatchSwitch.h"
#include "app/MainWindow.h"
#include "platform/Application.h"
#include "platform/Path.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>
#include <iostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace vesk;

namespace {

bool displayReachable()
{
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

// A scheduler starts programs without a runtime folder, and Qt then warns on
// standard error, which a batch run keeps for its own report. It gets the
// private folder Qt would fall back to.
void provideRuntimeFolder()
{
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return;
    const std::string folder = QDir::tempPath().toStdString() + std::string(PathSeparator) + "runtime-" +
                               std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    qputenv("XDG_RUNTIME_DIR", folder.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    // A batch run needs no display: it runs offscreen, and its boxes go to
    // standard error as if answered.
    const bool headless = hasBatchSwitch(arguments, activeCodePage()) && !displayReachable();
    if (headless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        provideRuntimeFolder();
    } else if (!displayReachable() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        std::cerr << "vesk: no display found; run a batch backup with: vesk /b" << std::endl;
        return 1;
    }

    QApplication toolkit(argc, argv);
    try {
        application().setTitle("Vesk ver1.00");
        application().setHelpFile(VESK_HELP_FILE);
        application().setArguments(arguments);
        if (headless)
            application().setMessageBoxHandler(writeMessageBoxToStandardError);

        TForm1 Form1;
        if (Form1.EndStatus)
            return *Form1.EndStatus;
        // A start-up cut short in a run nobody can see ends here.
        if (headless)
            return 1;
        Form1.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        application().showError(error);
    }
    return 0;
}
