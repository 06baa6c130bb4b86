# The examples are programs on the installed engine. The build stages an install of the engine's
# runtime and development files in build/stage and builds each example from there with
# find_package(Varnel2D), as a game author would; their tests run with the project's.
include(ExternalProject)
set(VARNEL2D_STAGE ${PROJECT_BINARY_DIR}/stage)
add_custom_target(varnel2d_stage
  COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${VARNEL2D_STAGE} --component runtime
  COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${VARNEL2D_STAGE} --component dev
  DEPENDS varnel2d varnel2d_testing
  COMMENT "Staging the engine's install for the examples")

foreach(example frostkeep first_window)
  ExternalProject_Add(example_${example}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/examples/${example}
    BINARY_DIR ${PROJECT_BINARY_DIR}/examples/${example}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_CACHE_ARGS
      -DCMAKE_PREFIX_PATH:PATH=${VARNEL2D_STAGE}
      -DCMAKE_BUILD_TYPE:STRING=${CMAKE_BUILD_TYPE}
      -DCMAKE_CXX_COMPILER:FILEPATH=${CMAKE_CXX_COMPILER}
      -DCMAKE_CXX_COMPILER_LAUNCHER:STRING=${CMAKE_CXX_COMPILER_LAUNCHER}
      -DCMAKE_CXX_FLAGS:STRING=${CMAKE_CXX_FLAGS}
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO:STRING=${CMAKE_CXX_FLAGS_RELWITHDEBINFO}
      -DCMAKE_EXE_LINKER_FLAGS:STRING=${CMAKE_EXE_LINKER_FLAGS}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    DEPENDS varnel2d_stage)
endforeach()

# Frostkeep played headless for a few thousand frames, against the staged engine.
add_test(NAME frostkeep_game COMMAND ${PROJECT_BINARY_DIR}/examples/frostkeep/frostkeep_tests)
set_tests_properties(frostkeep_game PROPERTIES TIMEOUT 300)
