target_sources(archive PRIVATE
  ArchiveList.h ArchiveList.cpp
  ArchiveCommands.h ArchiveCommands.cpp
  CompletionNotice.h CompletionNotice.cpp
  ProgressWindow.h ProgressWindow.cpp
)
