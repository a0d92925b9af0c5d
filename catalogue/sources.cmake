# The definition reader and game list sources: target_sources(catalogue PRIVATE ...).
