# Compiles resource files into a C++ source so that the programs, the tests and
# the command-line tools find the built-in (English) resources without any path.
function(kestrel_embed_resources OUTPUT BASE_DIR)
    set(files ${ARGN})
    set(abs_files)
    foreach(f IN LISTS files)
        list(APPEND abs_files "${BASE_DIR}/${f}")
    endforeach()
    add_custom_command(
        OUTPUT "${OUTPUT}"
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${OUTPUT} -DBASE_DIR=${BASE_DIR}
                "-DFILES=${files}" -P "${PROJECT_SOURCE_DIR}/cmake/EmbedResourcesScript.cmake"
        DEPENDS ${abs_files} "${PROJECT_SOURCE_DIR}/cmake/EmbedResourcesScript.cmake"
        COMMENT "Embedding built-in resources"
        VERBATIM)
endfunction()
