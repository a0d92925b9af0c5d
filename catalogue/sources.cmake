# The definition reader and the walk over the definition folder's names.
target_sources(catalogue PRIVATE
  GameDefinition.h GameDefinition.cpp
  GameList.h GameList.cpp
)
