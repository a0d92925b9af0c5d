#include "archive/ProgressWindow.h"

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/WindowFont.h"
#include "unlha/command/Unlha.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace vesk {

namespace {

// The bar counts in thousandths, which an int holds for any member size.
constexpr int BarSteps = 1000;

int barValue(std::uint64_t done, std::uint64_t total)
{
    if (total == 0 || done >= total)
        return BarSteps;
    return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * BarSteps);
}

}  // namespace

ProgressWindow::ProgressWindow()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(toDisplay(application().title()));
    setFont(windowFont());
    // The main window takes no input and cannot be closed while the archiver runs.
    setWindowModality(Qt::ApplicationModal);
    auto* column = new QVBoxLayout(this);
    member_ = new QLabel;
    member_->setMinimumWidth(320);
    bar_ = new QProgressBar;
    bar_->setRange(0, BarSteps);
    bar_->setTextVisible(false);
    column->addWidget(member_);
    column->addWidget(bar_);
    // Sized once; a window that only reports needs no size limits.
    column->setSizeConstraint(QLayout::SetNoConstraint);
    resize(sizeHint());
}

void ProgressWindow::showProgress(const std::string& member, std::uint64_t done, std::uint64_t total)
{
    if (member != shownMember_) {
        shownMember_ = member;
        member_->setText(toDisplay(member));
    }
    bar_->setValue(barValue(done, total));
    if (!isVisible())
        show();
    // The archiver runs on this thread: let the window paint, but take no
    // input that could start another command in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ProgressDisplay::ProgressDisplay()
{
    unlha::setProgressSink([this](const std::string& member, std::uint64_t done, std::uint64_t total) {
        if (!window_)
            window_ = std::make_unique<ProgressWindow>();
        window_->showProgress(member, done, total);
    });
}

ProgressDisplay::~ProgressDisplay()
{
    unlha::setProgressSink({});
}

}  // namespace vesk
