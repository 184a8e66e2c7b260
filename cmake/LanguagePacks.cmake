# Language packs: resources/<folder>/ holds a pack's sources in UTF-8
# (pack.ini, strings.tsv, dictionary/1000x.txt) and the Qt translation source
# kestrel.ts. The build writes the texts in the pack's encoding (iconv: an
# unmappable character fails the build), turns kestrel.ts into kestrel.qm with
# lrelease and packs it all into <folder>/<name>.rcc beside the program.

find_program(KESTREL_LRELEASE lrelease PATHS /usr/lib/qt6/bin REQUIRED)
find_program(KESTREL_ICONV iconv REQUIRED)
if(TARGET Qt6::rcc)
    set(KESTREL_RCC Qt6::rcc)
else()
    find_program(KESTREL_RCC rcc PATHS /usr/lib/qt6/libexec REQUIRED)
endif()

set(KESTREL_PACK_TEXTS pack.ini strings.tsv dictionary/10000.txt dictionary/10001.txt
                       dictionary/10002.txt dictionary/10003.txt)

# kestrel_language_pack(<folder> <name> <encoding> <output dir> <out var>)
function(kestrel_language_pack folder name encoding beside out_var)
    set(source "${PROJECT_SOURCE_DIR}/resources/${folder}")
    set(work "${CMAKE_CURRENT_BINARY_DIR}/packs/${folder}")
    set(outputs)
    set(qrc_files)
    foreach(text IN LISTS KESTREL_PACK_TEXTS)
        if(NOT EXISTS "${source}/${text}")
            continue()
        endif()
        get_filename_component(text_dir "${work}/${text}" DIRECTORY)
        add_custom_command(
            OUTPUT "${work}/${text}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${text_dir}"
            COMMAND ${KESTREL_ICONV} -f UTF-8 -t ${encoding} -o "${work}/${text}" "${source}/${text}"
            DEPENDS "${source}/${text}"
            COMMENT "Writing ${folder}/${text} in ${encoding}"
            VERBATIM)
        list(APPEND outputs "${work}/${text}")
        string(APPEND qrc_files "        <file>${text}</file>\n")
    endforeach()
    if(EXISTS "${source}/kestrel.ts")
        add_custom_command(
            OUTPUT "${work}/kestrel.qm"
            COMMAND ${KESTREL_LRELEASE} -silent "${source}/kestrel.ts" -qm "${work}/kestrel.qm"
            DEPENDS "${source}/kestrel.ts"
            COMMENT "Compiling the window translation of ${folder}"
            VERBATIM)
        list(APPEND outputs "${work}/kestrel.qm")
        string(APPEND qrc_files "        <file>kestrel.qm</file>\n")
    endif()
    file(WRITE "${work}/pack.qrc.in"
         "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/\">\n${qrc_files}    </qresource>\n</RCC>\n")
    configure_file("${work}/pack.qrc.in" "${work}/pack.qrc" COPYONLY)
    add_custom_command(
        OUTPUT "${beside}/${folder}/${name}.rcc"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${beside}/${folder}"
        COMMAND ${KESTREL_RCC} --binary -o "${beside}/${folder}/${name}.rcc" "${work}/pack.qrc"
        DEPENDS ${outputs} "${work}/pack.qrc"
        COMMENT "Building the language pack ${folder}/${name}.rcc"
        VERBATIM)
    set(${out_var} "${beside}/${folder}/${name}.rcc" PARENT_SCOPE)
endfunction()

# Folder, pack name and encoding of every pack the program knows.
set(KESTREL_LANGUAGE_PACKS "l.bra:LangPORT:ISO-8859-1" "l.spa:LangSPAN:ISO-8859-1" "l.chn:LangCHS:UTF-8")
