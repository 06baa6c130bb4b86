# Links the dlclose of keep_libraries_loaded.c into every executable of the project; included at the
# end of the top-level CMakeLists.txt when BRISENFALL_KEEP_LIBRARIES_LOADED is on (preset asan).
add_library(brisenfall_keep_libraries_loaded OBJECT ${CMAKE_CURRENT_LIST_DIR}/keep_libraries_loaded.c)

function(brisenfall_keep_libraries_loaded_in folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_libraries(${target} PRIVATE brisenfall_keep_libraries_loaded)
      # Libraries loaded at run time look dlclose up in the program first.
      target_link_options(${target} PRIVATE -Wl,--export-dynamic-symbol=dlclose)
    endif()
  endforeach()
  get_property(folders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS folders)
    brisenfall_keep_libraries_loaded_in(${subfolder})
  endforeach()
endfunction()

brisenfall_keep_libraries_loaded_in(${PROJECT_SOURCE_DIR})
