#pragma once
#include <QLineEdit>

#include <string>

namespace vesk {

// A read-only edit that shows a folder path. It keeps the path's exact bytes,
// so a path that is not valid UTF-8 (a Shift-JIS name, shown decoded) comes
// back unchanged; only setFolder changes it.
class FolderEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit FolderEdit(QWidget* parent = nullptr);

    const std::string& folder() const { return folder_; }
    void setFolder(std::string folder);

private:
    std::string folder_;
};

}  // namespace vesk
