# Installation. The windowed program reads its pictures and language packs
# beside itself, so it lives with them (and the programs and library it comes
# with) in lib/kestrel; bin holds links to the three programs. Desktop entry,
# MIME type of .vxp documents and icons go where desktops look for them.
include(GNUInstallDirs)
set(KESTREL_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/kestrel")
set(kestrel_programs)
foreach(program IN ITEMS kestrel kestrel-cli varex-sim)
    if(TARGET ${program})
        list(APPEND kestrel_programs ${program})
    endif()
endforeach()
# The crash-report program lives beside kestrel (no link in bin).
if(TARGET XCrashReport)
    install(TARGETS XCrashReport RUNTIME DESTINATION "${KESTREL_INSTALL_DIR}")
endif()
set_target_properties(${kestrel_programs} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${kestrel_programs} vexilla vexilla_log
        RUNTIME DESTINATION "${KESTREL_INSTALL_DIR}"
        LIBRARY DESTINATION "${KESTREL_INSTALL_DIR}")
install(DIRECTORY "resources/Block Support" DESTINATION "${KESTREL_INSTALL_DIR}")
install(FILES resources/CONFIG.CAL DESTINATION "${KESTREL_INSTALL_DIR}")
if(TARGET kestrel)
    get_target_property(kestrel_dir kestrel BINARY_DIR)
    install(FILES "${kestrel_dir}/CONFSPLASH.BMP" DESTINATION "${KESTREL_INSTALL_DIR}")
    # The help as the build wrote it (with the generated block library pages).
    install(DIRECTORY "${kestrel_dir}/help" DESTINATION "${KESTREL_INSTALL_DIR}")
    install(DIRECTORY "${kestrel_dir}/l.bra/help" DESTINATION "${KESTREL_INSTALL_DIR}/l.bra")
    foreach(pack_file IN LISTS KESTREL_BUILT_PACKS)
        get_filename_component(pack_dir "${pack_file}" DIRECTORY)
        get_filename_component(pack_folder "${pack_dir}" NAME)
        install(FILES "${pack_file}" DESTINATION "${KESTREL_INSTALL_DIR}/${pack_folder}")
    endforeach()
endif()
file(RELATIVE_PATH kestrel_bin_to_dir "/${CMAKE_INSTALL_BINDIR}" "/${KESTREL_INSTALL_DIR}")
foreach(program IN LISTS kestrel_programs)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(REMOVE \"\${link}\")
        message(STATUS \"Installing: \${link} -> ${kestrel_bin_to_dir}/${program}\")
        file(CREATE_LINK \"${kestrel_bin_to_dir}/${program}\" \"\${link}\" SYMBOLIC)")
endforeach()
install(FILES packaging/kestrel.desktop DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES packaging/kestrel-vxp.xml DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES packaging/kestrel.svg DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES packaging/application-x-kestrel-vxp.svg
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes")
