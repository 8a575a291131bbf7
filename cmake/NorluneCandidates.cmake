# norlune_candidate_files() puts M.dat and F.dat beside the programs built in the calling folder: the
# search reads them from the directory of the executable.
function(norlune_candidate_files)
    foreach(candidates M.dat F.dat)
        if(EXISTS ${CMAKE_SOURCE_DIR}/data/${candidates})
            configure_file(${CMAKE_SOURCE_DIR}/data/${candidates}
                           ${CMAKE_CURRENT_BINARY_DIR}/${candidates} COPYONLY)
        endif()
    endforeach()
endfunction()
