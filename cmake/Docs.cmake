# The engine's API reference, made from the comments of its public headers:
# cmake --build build --target docs writes build/docs/html/index.html (Doxygen; not committed).
find_package(Doxygen)
if(DOXYGEN_FOUND)
  set(DOXYGEN_PROJECT_NAME "Varnel 2D engine")
  set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
  set(DOXYGEN_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/docs)
  set(DOXYGEN_USE_MDFILE_AS_MAINPAGE ${PROJECT_SOURCE_DIR}/docs/engine.md)
  set(DOXYGEN_STRIP_FROM_PATH ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/docs)
  set(DOXYGEN_STRIP_FROM_INC_PATH ${PROJECT_SOURCE_DIR}/include)
  # The headers' comments are plain // lines before each declaration: Doxygen reads them as ///
  # (banner lines of dashes or equals signs stay plain comments).
  set(DOXYGEN_FILTER_PATTERNS "*.h=sed -E 's#^( *)// ([^-=])#\\1/// \\2#'")
  set(DOXYGEN_EXTRACT_ALL YES)
  set(DOXYGEN_GENERATE_LATEX NO)
  set(DOXYGEN_WARN_IF_UNDOCUMENTED NO)
  set(DOXYGEN_FILE_PATTERNS *.h *.md)
  doxygen_add_docs(docs ${PROJECT_SOURCE_DIR}/include/varnel2d ${PROJECT_SOURCE_DIR}/docs/engine.md
    COMMENT "Making the engine's API reference in build/docs/html")
else()
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E echo "The API reference needs Doxygen: apt-get install doxygen"
    COMMAND ${CMAKE_COMMAND} -E false)
endif()
