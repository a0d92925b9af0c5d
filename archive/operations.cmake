# Backup, restore, archive list and progress sources: target_sources(archive PRIVATE ...).
