# The window's own commands: tab switch, popup menu, refresh, help and About.
target_sources(app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AboutText.h ${CMAKE_CURRENT_LIST_DIR}/AboutText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopupOpener.h ${CMAKE_CURRENT_LIST_DIR}/PopupOpener.cpp
)
