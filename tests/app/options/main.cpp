#include "OptionsCommandTest.h"
#include "OptionsDialogTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication toolkit(argc, argv);
    OptionsDialogTest dialog;
    OptionsCommandTest command;
    return QTest::qExec(&dialog, argc, argv) | QTest::qExec(&command, argc, argv);
}
