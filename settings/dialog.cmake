# The options dialog sources: target_sources(settings PRIVATE ...).
