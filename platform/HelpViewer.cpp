#include "platform/HelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace vesk {

namespace {

// The window's caption when the help file names none or cannot be read.
const char* const FallbackTitle = "ヘルプ";

QTextBrowser* newViewer(QWidget* owner)
{
    auto* window = new QWidget(owner, Qt::Window);
    window->setObjectName(QString::fromUtf8(HelpViewerName));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(640, 560);
    auto* column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    auto* browser = new QTextBrowser;
    browser->setOpenExternalLinks(true);
    column->addWidget(browser);
    return browser;
}

QString missingFileText(const QString& path)
{
    return QString::fromUtf8("<p>ヘルプファイル %1 を開けません。</p>").arg(path.toHtmlEscaped());
}

}  // namespace

void showHelpContents(const std::string& helpFile, QWidget* owner)
{
    auto* window = owner ? owner->findChild<QWidget*>(QString::fromUtf8(HelpViewerName), Qt::FindDirectChildrenOnly)
                         : nullptr;
    QTextBrowser* browser = window ? window->findChild<QTextBrowser*>() : newViewer(owner);
    window = browser->window();

    const QString path = QFile::decodeName(QByteArray::fromStdString(helpFile));
    const QFileInfo file(path);
    if (file.isFile() && file.isReadable()) {
        browser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()), QTextDocument::HtmlResource);
        browser->verticalScrollBar()->setValue(0);
        const QString title = browser->documentTitle();
        window->setWindowTitle(title.isEmpty() ? QString::fromUtf8(FallbackTitle) : title);
    } else {
        browser->setHtml(missingFileText(path));
        window->setWindowTitle(QString::fromUtf8(FallbackTitle));
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace vesk
