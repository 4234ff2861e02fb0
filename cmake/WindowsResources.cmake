# tally_windows_resources(target): compiles app/resources/tallyworth.rc.in (the program's
# icon, version information and wxWidgets' resources with its manifest) and links the
# result into every program that links `target`, the program and its interface tests alike.
# The icon is made from packaging/icons/tallyworth-<size>.png; without those images the
# program gets wxWidgets' standard icon.
function(tally_windows_resources target)
  if(NOT CMAKE_RC_COMPILER)
    message(FATAL_ERROR "No resource compiler (windres) for the Windows build")
  endif()
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/windows-resources)
  set(icon_images)
  foreach(size 16 32 48 256)
    set(image ${PROJECT_SOURCE_DIR}/packaging/icons/tallyworth-${size}.png)
    if(EXISTS ${image})
      list(APPEND icon_images ${image})
    endif()
  endforeach()
  set(depends ${CMAKE_CURRENT_BINARY_DIR}/tallyworth.rc)
  if(icon_images)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(TALLY_RC_ICON "aaaa_tallyworth ICON \"tallyworth.ico\"")
    add_custom_command(OUTPUT ${folder}/tallyworth.ico
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/make-ico.py
              ${folder}/tallyworth.ico ${icon_images}
      DEPENDS ${icon_images} ${PROJECT_SOURCE_DIR}/cmake/make-ico.py
      COMMENT "Making the program's icon")
    list(APPEND depends ${folder}/tallyworth.ico)
  else()
    # Placeholder until packaging/icons holds the program's icon images.
    message(STATUS "No packaging/icons/tallyworth-*.png: tallyworth.exe gets wxWidgets' icon")
    set(TALLY_RC_ICON "// (no icon of its own)")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/app/resources/tallyworth.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/tallyworth.rc @ONLY)

  set(object ${folder}/tallyworth.rc.obj)
  set(includes -I ${folder})
  foreach(include ${wxWidgets_INCLUDE_DIRS})
    list(APPEND includes -I ${include})
  endforeach()
  add_custom_command(OUTPUT ${object}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_RC_COMPILER} ${includes} -O coff -i ${CMAKE_CURRENT_BINARY_DIR}/tallyworth.rc -o ${object}
    DEPENDS ${depends}
    COMMENT "Compiling the Windows resources")
  add_custom_target(${target}_windows_resources DEPENDS ${object})
  add_dependencies(${target} ${target}_windows_resources)
  # An object file on the link line is always linked in whole.
  target_link_libraries(${target} INTERFACE ${object})
endfunction()
