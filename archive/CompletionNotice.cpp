#include "archive/CompletionNotice.h"

#include "platform/MessageBox.h"

namespace vesk {

namespace {

const char* const FailedHeading = "次の処理に失敗しました：";

}  // namespace

Notice completionNotice(const std::string& finished, const std::vector<std::string>& failures)
{
    if (failures.empty())
        return {finished, MbOk};
    std::string text = finished + "\n\n" + FailedHeading;
    for (const std::string& name : failures)
        text += "\n" + name;
    return {text, MbIconWarning};
}

void reportFailures(std::ostream& out, const std::string& caption, const std::vector<std::string>& failures)
{
    out << caption << ": " << FailedHeading << '\n';
    for (const std::string& name : failures)
        out << caption << ": " << name << '\n';
    out.flush();
}

}  // namespace vesk
