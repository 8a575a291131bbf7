# norlune_embed(<target> <data file>) compiles a data file into <target> as a constant.
# data/numerology.txt becomes "embedded/numerology_txt.h" declaring
# norlune::embedded::kNumerologyTxt (std::string_view over the file's bytes).
set(NORLUNE_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake)

function(norlune_embed target file)
    get_filename_component(abs ${file} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
    get_filename_component(fname ${abs} NAME)
    string(REPLACE "." "_" stem ${fname})
    string(REPLACE "_" ";" parts ${stem})
    set(symbol "k")
    foreach(part ${parts})
        string(SUBSTRING ${part} 0 1 first)
        string(TOUPPER ${first} first)
        string(SUBSTRING ${part} 1 -1 rest)
        string(APPEND symbol ${first}${rest})
    endforeach()
    set(outdir ${CMAKE_BINARY_DIR}/generated)
    set(header ${outdir}/embedded/${stem}.h)
    set(source ${outdir}/embedded/${stem}.cpp)
    file(WRITE ${header}.tmp
        "// Generated from data/${fname} by the build; do not edit.\n"
        "#pragma once\n#include <string_view>\n\n"
        "namespace norlune::embedded {\nextern const std::string_view ${symbol};\n}\n")
    file(COPY_FILE ${header}.tmp ${header} ONLY_IF_DIFFERENT)
    add_custom_command(
        OUTPUT ${source}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${abs} -DOUTPUT=${source} -DSYMBOL=${symbol}
                -DHEADER=embedded/${stem}.h -P ${NORLUNE_EMBED_SCRIPT}
        DEPENDS ${abs} ${NORLUNE_EMBED_SCRIPT}
        COMMENT "Embedding data/${fname}")
    target_sources(${target} PRIVATE ${source})
    target_include_directories(${target} PUBLIC ${outdir})
endfunction()
