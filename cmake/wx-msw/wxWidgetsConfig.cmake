# wxWidgets for Windows as scripts/build-windows-wx builds it, described by that build's
# wx-config (TALLY_WX_CONFIG). FindwxWidgets does not find the libraries of a cross build,
# so cmake/mingw-w64.cmake points find_package here instead; this file sets the same
# variables FindwxWidgets would: wxWidgets_INCLUDE_DIRS, _DEFINITIONS, _CXX_FLAGS and
# _LIBRARIES for the components asked for.
if(NOT TALLY_WX_CONFIG OR NOT EXISTS "${TALLY_WX_CONFIG}")
  set(wxWidgets_FOUND FALSE)
  set(wxWidgets_NOT_FOUND_MESSAGE "TALLY_WX_CONFIG does not name wx-config: run scripts/build-windows-wx")
  return()
endif()

set(_tally_wx_components ${wxWidgets_FIND_COMPONENTS})
if(NOT _tally_wx_components)
  set(_tally_wx_components core base)
endif()
string(REPLACE ";" "," _tally_wx_components "${_tally_wx_components}")
execute_process(COMMAND sh "${TALLY_WX_CONFIG}" --static=yes --cxxflags
                OUTPUT_VARIABLE _tally_wx_cxxflags OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND sh "${TALLY_WX_CONFIG}" --static=yes --libs ${_tally_wx_components}
                OUTPUT_VARIABLE _tally_wx_libs OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND sh "${TALLY_WX_CONFIG}" --version
                OUTPUT_VARIABLE wxWidgets_VERSION OUTPUT_STRIP_TRAILING_WHITESPACE)

separate_arguments(_tally_wx_cxxflags UNIX_COMMAND "${_tally_wx_cxxflags}")
set(wxWidgets_INCLUDE_DIRS)
set(wxWidgets_DEFINITIONS)
set(wxWidgets_CXX_FLAGS)
foreach(_tally_flag IN LISTS _tally_wx_cxxflags)
  if(_tally_flag MATCHES "^-I(.+)")
    list(APPEND wxWidgets_INCLUDE_DIRS "${CMAKE_MATCH_1}")
  elseif(_tally_flag MATCHES "^-D(.+)")
    list(APPEND wxWidgets_DEFINITIONS "${CMAKE_MATCH_1}")
  else()
    list(APPEND wxWidgets_CXX_FLAGS "${_tally_flag}")
  endif()
endforeach()
# <windows.h> comes in first, through wxWidgets, which then takes back the macros of it
# that would rename members such as GetMessage: a later include of it from the core is then
# harmless, whatever the order of a file's includes.
list(APPEND wxWidgets_CXX_FLAGS -include wx/msw/wrapwin.h)

separate_arguments(wxWidgets_LIBRARIES UNIX_COMMAND "${_tally_wx_libs}")
# Whether a program is a windowed or a console one is the program's choice
# (WIN32_EXECUTABLE), not the library's.
list(REMOVE_ITEM wxWidgets_LIBRARIES -mwindows -Wl,--subsystem,windows)
set(wxWidgets_FOUND TRUE)
