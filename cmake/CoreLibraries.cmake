# The Qt-free core: one static library per folder, each linking the folders it builds on.
# plumetra_core groups them all; nothing in it may include a Qt header (tests/core_has_no_qt.sh).

function(plumetra_core_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    # Compiled in batches of files (unity builds): the standard headers, libzip's and pugixml's
    # are parsed once a batch rather than once a file, which halves a first build.
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()  # a folder whose first files have not landed yet
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

plumetra_core_library(plumetra_controls controls)
plumetra_core_library(plumetra_files files plumetra_controls
  PkgConfig::XLSXWRITER PkgConfig::LIBZIP pugixml::pugixml ${LIBCSV_LIBRARY})
# .xls files are read by a program of their own (FreeXL is not safe on hostile files); the
# core starts it and never links FreeXL.
add_subdirectory(files/xls_reader_program)
target_compile_definitions(plumetra_files PRIVATE
  PLUMETRA_XLS_READER_BUILT="$<TARGET_FILE:plumetra-xls-reader>")
plumetra_core_library(plumetra_workspace workspace plumetra_files)
add_dependencies(plumetra_workspace plumetra-xls-reader)
plumetra_core_library(plumetra_model model plumetra_workspace Threads::Threads)
if(PLUMETRA_MDB)
  # The breed database reader (model/breed_database_mdb.cpp).
  target_link_libraries(plumetra_model PUBLIC PkgConfig::LIBMDB)
  target_compile_definitions(plumetra_model PRIVATE PLUMETRA_WITH_MDB)
endif()
# The growth run is the inner loop of calibration and the lower-cost search; these flags take
# about 12 % off it. None changes a value: -O3, and no errno or floating-point traps to keep
# (no fast-math, no contraction into FMA).
target_compile_options(plumetra_model PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3 -fno-math-errno -fno-trapping-math>)
plumetra_core_library(plumetra_calibration calibration plumetra_model Threads::Threads)
plumetra_core_library(plumetra_analysis analysis plumetra_calibration plumetra_model plumetra_workspace)
# AppState and the program's start-up: the top of the core.
plumetra_core_library(plumetra_state state plumetra_analysis)
# What the result windows show: the typed results of the commands rendered into grids and
# captions, one presenter per window.
plumetra_core_library(plumetra_presenters presenters plumetra_state)
# The flock report over the whole state.
plumetra_core_library(plumetra_report report plumetra_presenters)

add_library(plumetra_core INTERFACE)
target_link_libraries(plumetra_core INTERFACE
  plumetra_report plumetra_presenters plumetra_state plumetra_analysis plumetra_calibration plumetra_model plumetra_workspace plumetra_files plumetra_controls)
target_compile_definitions(plumetra_core INTERFACE PLUMETRA_VERSION="${PROJECT_VERSION}")
