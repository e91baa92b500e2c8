# The installed game, from `cmake --install` into a temporary prefix (tests/install_test.sh).
if(QUILLMOOR_CONTENT)
  add_test(NAME installed_game COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_test.sh
           ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
endif()
