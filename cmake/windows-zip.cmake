# Lays out the Windows programs as windeployqt would and zips them:
#   cmake -DPROGRAMS_DIR=... -DQT=... -DRUNTIME_DIRS=a:b -DFIRST_USE=... -DZIP=... -P windows-zip.cmake
# The folder inside the zip is named after the zip.
set(ZELVANE_WINDOWS_PROGRAMS zelvane-settings.exe zelvane-cli.exe)
set(ZELVANE_QT_LIBRARIES Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll)
set(ZELVANE_QT_PLUGINS platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll)
set(ZELVANE_MINGW_RUNTIME libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)

get_filename_component(folder_name "${ZIP}" NAME_WLE)
get_filename_component(zip_dir "${ZIP}" DIRECTORY)
set(stage "${zip_dir}/windows-zip")
set(folder "${stage}/${folder_name}")
file(REMOVE_RECURSE "${stage}")

foreach(program IN LISTS ZELVANE_WINDOWS_PROGRAMS)
  file(COPY "${PROGRAMS_DIR}/${program}" DESTINATION "${folder}")
endforeach()
foreach(library IN LISTS ZELVANE_QT_LIBRARIES)
  file(COPY "${QT}/bin/${library}" DESTINATION "${folder}")
endforeach()
foreach(plugin IN LISTS ZELVANE_QT_PLUGINS)
  get_filename_component(kind "${plugin}" DIRECTORY)
  file(COPY "${QT}/plugins/${plugin}" DESTINATION "${folder}/${kind}")
endforeach()
string(REPLACE ":" ";" runtime_dirs "${RUNTIME_DIRS}")
foreach(dll IN LISTS ZELVANE_MINGW_RUNTIME)
  find_file(found_${dll} ${dll} PATHS ${runtime_dirs} NO_DEFAULT_PATH REQUIRED)
  file(COPY "${found_${dll}}" DESTINATION "${folder}")
endforeach()
# Without their debugging sections, as a release ships them.
find_program(strip_program x86_64-w64-mingw32-strip REQUIRED)
file(GLOB_RECURSE binaries "${folder}/*.exe" "${folder}/*.dll")
execute_process(COMMAND ${strip_program} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)
# Windows users open text files in Notepad: CR LF.
file(READ "${FIRST_USE}" first_use)
string(REPLACE "\n" "\r\n" first_use "${first_use}")
file(WRITE "${folder}/README.txt" "${first_use}")

file(REMOVE "${ZIP}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip "${folder_name}"
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot write ${ZIP}")
endif()
file(REMOVE_RECURSE "${stage}")
