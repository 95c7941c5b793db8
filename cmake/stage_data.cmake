# Copies the program directory's template (SRC) into the staged program directory (DST).
# Program files (the editing page, the skin) are refreshed when they change; user data (the
# dictionary, rules, sounds) is copied only when missing, so edits made while running survive.
file(GLOB_RECURSE _files RELATIVE ${SRC} ${SRC}/*)
foreach(_f IN LISTS _files)
    set(_to ${DST}/${_f})
    if(_f MATCHES "^(edit/|skinh\\.she$)")
        if(NOT EXISTS ${_to} OR ${SRC}/${_f} IS_NEWER_THAN ${_to})
            get_filename_component(_dir ${_to} DIRECTORY)
            file(COPY ${SRC}/${_f} DESTINATION ${_dir})
        endif()
    elseif(NOT EXISTS ${_to})
        get_filename_component(_dir ${_to} DIRECTORY)
        file(COPY ${SRC}/${_f} DESTINATION ${_dir})
    endif()
endforeach()
