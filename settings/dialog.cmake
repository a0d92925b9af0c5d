# The options dialog sources.
target_sources(settings PRIVATE
  FolderEdit.h FolderEdit.cpp
  OptionsDialog.h OptionsDialog.cpp
)
