# Further sources of backup, restore and the archive list: target_sources(app PRIVATE ...).
