# Further sources of the game list: target_sources(app PRIVATE ...).
