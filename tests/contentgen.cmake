# The content generator's model-writing code is tested in the unit test binary alongside the
# game's own code, in the builds that generate the data tree.
if(QUILLMOOR_CONTENT)
  set(CONTENTGEN_DIR ${CMAKE_SOURCE_DIR}/tools/contentgen)
  target_sources(quillmoor_tests PRIVATE
    ${CONTENTGEN_DIR}/model_writer.cpp ${CONTENTGEN_DIR}/file_output.cpp)
  target_include_directories(quillmoor_tests PRIVATE ${CONTENTGEN_DIR})
endif()
