# Further sources of the options command: target_sources(app PRIVATE ...).
