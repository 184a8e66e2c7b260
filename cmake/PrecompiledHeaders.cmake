# Precompiled headers shared by groups of targets. Each group compiles its header
# once, in a small object library of its own, and every target of the group
# reuses it, so that a test program or window library does not parse Qt and
# GoogleTest again for every source file.

set(KESTREL_PCH_ANCHOR "${CMAKE_CURRENT_LIST_DIR}/PchAnchor.cpp")
set(KESTREL_PCH_PROGRAM_ANCHOR "${CMAKE_CURRENT_LIST_DIR}/PchAnchorProgram.cpp")

set(kestrel_std_headers <algorithm> <cstdint> <cstring> <filesystem> <functional> <memory>
    <string> <utility> <vector>)
set(kestrel_qt_widget_headers <QApplication> <QComboBox> <QDialog> <QLabel> <QLineEdit>
    <QPainter> <QPushButton> <QString> <QWidget>)
set(kestrel_gtest_headers <gtest/gtest.h> <gmock/gmock.h>)

# A header compiled for libraries (-fPIC) cannot serve programs (-fPIE), so a
# group for programs is anchored in a program of its own. Qt asks the programs
# that use it for -fPIC as well; the programs of a group all take it, so that
# one header serves those with Qt and those without.
function(kestrel_pch_group group)
    if(NOT TARGET ${group})
        cmake_parse_arguments(arg "PROGRAMS" "" "LIBRARIES;HEADERS" ${ARGN})
        if(arg_PROGRAMS)
            add_executable(${group} "${KESTREL_PCH_PROGRAM_ANCHOR}")
            target_compile_options(${group} PRIVATE -fPIC -g1)
        else()
            add_library(${group} OBJECT "${KESTREL_PCH_ANCHOR}")
        endif()
        target_link_libraries(${group} PRIVATE ${arg_LIBRARIES})
        target_precompile_headers(${group} PRIVATE ${arg_HEADERS})
    endif()
endfunction()

# The window libraries (vexilla and the ui folders).
function(kestrel_precompile_ui_headers target)
    kestrel_pch_group(kestrel_pch_ui LIBRARIES Qt6::Widgets
                      HEADERS ${kestrel_std_headers} ${kestrel_qt_widget_headers})
    target_precompile_headers(${target} REUSE_FROM kestrel_pch_ui)
endfunction()

# Test programs without windows.
function(kestrel_precompile_test_headers target)
    kestrel_pch_group(kestrel_pch_tests PROGRAMS LIBRARIES GTest::gtest GTest::gmock
                      HEADERS ${kestrel_std_headers} ${kestrel_gtest_headers})
    target_precompile_headers(${target} REUSE_FROM kestrel_pch_tests)
    target_compile_options(${target} PRIVATE -fPIC)
endfunction()

# Test programs that show windows.
function(kestrel_precompile_ui_test_headers target)
    kestrel_pch_group(kestrel_pch_ui_tests PROGRAMS LIBRARIES GTest::gtest GTest::gmock kestrel_qt_test
                      HEADERS ${kestrel_std_headers} ${kestrel_gtest_headers}
                              ${kestrel_qt_widget_headers} <QTest>)
    target_precompile_headers(${target} REUSE_FROM kestrel_pch_ui_tests)
    target_compile_options(${target} PRIVATE -fPIC)
endfunction()
