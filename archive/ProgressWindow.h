#pragma once
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class QLabel;
class QProgressBar;

namespace vesk {

// A small window that shows which member the archiver is working on and how
// far it has got with it.
class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    ProgressWindow();

    void showProgress(const std::string& member, std::uint64_t done, std::uint64_t total);

private:
    QLabel* member_;
    QProgressBar* bar_;
    std::string shownMember_;
};

// While it lives, the archiver's progress goes to a ProgressWindow, made on
// the first report and closed at the end. A command with -n reports nothing,
// so it opens no window.
class ProgressDisplay {
public:
    ProgressDisplay();
    ~ProgressDisplay();
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

private:
    std::unique_ptr<ProgressWindow> window_;
};

}  // namespace vesk
