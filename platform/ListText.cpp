#include "platform/ListText.h"

#include "platform/CodePage.h"

namespace vesk {

namespace {
constexpr int BytesRole = Qt::UserRole;
}

void appendLine(QListWidget& list, const std::string& bytes)
{
    auto* item = new QListWidgetItem(toDisplay(bytes));
    item->setData(BytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    list.addItem(item);
}

std::string lineText(const QListWidget& list, int row)
{
    const QByteArray bytes = list.item(row)->data(BytesRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace vesk
