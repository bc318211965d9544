# One static library per subsystem folder; its sources are every .cpp/.h in
# the folder, so adding a class needs no edit here.
# EXCLUDE names files of the folder that belong elsewhere (an executable's main).
function(quorvane_add_library name)
    cmake_parse_arguments(ARG "" "" "LINK;EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.ui ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    foreach(excluded ${ARG_EXCLUDE})
        list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
    endforeach()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
endfunction()

# Every tests/<area>/tst_*.cpp becomes one QtTest executable registered with
# CTest; it links the area's library and the shared test helpers, and runs
# with the suite's own fonts (tests/fonts.conf.in) whatever the machine has.
function(quorvane_add_tests area)
    cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(src ${tests})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_link_libraries(${name} PRIVATE ${ARG_LINK} quorvane_testsupport Qt5::Test)
        target_compile_definitions(${name} PRIVATE
            QUORVANE_TESTDATA="${PROJECT_SOURCE_DIR}/../shared/testdata")
        add_test(NAME ${area}/${name} COMMAND ${name})
        # The limit only catches a hung test: the instrument tests wait out
        # real line times and take minutes on a busy machine.
        set_tests_properties(${area}/${name} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${QUORVANE_TEST_FONTCONFIG}"
            TIMEOUT 900)
    endforeach()
endfunction()
