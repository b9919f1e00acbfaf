# A Windows build with MinGW-w64, usually cross-built on Linux
# (scripts/build-windows): the folders of the runtime DLLs that the programs
# load (the ZIP package takes them from there) and the Wine wrapper that runs
# the tests of a cross-build.

# Folders that hold the DLLs the programs load: Qt's and MinGW's runtime.
set(KESTRIX_RUNTIME_DIRS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${path}")
    get_filename_component(dir "${path}" DIRECTORY)
    get_filename_component(dir "${dir}" REALPATH)
    list(APPEND KESTRIX_RUNTIME_DIRS "${dir}")
  endif()
endforeach()
list(REMOVE_DUPLICATES KESTRIX_RUNTIME_DIRS)

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(KESTRIX_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(KESTRIX_WINE)
    set(KESTRIX_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
        "Wine prefix in which the tests of the cross-build run")
    list(JOIN KESTRIX_RUNTIME_DIRS ";" KESTRIX_WINE_PATH)
    # The offscreen platform of Qt for Windows reads fonts from one folder:
    # the faces that the window tests find through fontconfig on Linux.
    set(KESTRIX_TEST_FONTS ${CMAKE_BINARY_DIR}/test-fonts)
    file(GLOB fonts /usr/share/fonts/opentype/ipafont-gothic/*.ttf
         /usr/share/fonts/truetype/liberation/LiberationSans*.ttf
         /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf)
    file(MAKE_DIRECTORY ${KESTRIX_TEST_FONTS})
    foreach(font ${fonts})
      get_filename_component(name ${font} NAME)
      file(CREATE_LINK ${font} ${KESTRIX_TEST_FONTS}/${name} SYMBOLIC)
    endforeach()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                   GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  else()
    message(WARNING "No Wine found: the tests of this cross-build cannot run here")
  endif()
endif()
