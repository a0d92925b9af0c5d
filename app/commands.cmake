# Further sources of the window commands (help window, About box): target_sources(app PRIVATE ...).
