# Each folder of src/ below app/ is a library of its own. It sees its own headers and, through
# the libraries it links, those of the layers below it, but nothing of the layers above: an
# include that goes upward fails to build. Headers are included as "folder/Name.h", so each
# library's include root holds one link, to its own folder.
function(bramble_layer target folder)
    set(root ${CMAKE_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    add_library(${target} STATIC)
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC Qt6::Widgets)
    bramble_layer_headers(${target} ${folder})
endfunction()

# A header without a source file of its own (the sources include theirs first) is compiled on
# its own as well, so that it is held to the same rule.
function(bramble_layer_headers target folder)
    set(dir ${CMAKE_SOURCE_DIR}/src/${folder})
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${dir} ${dir}/*.h)
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME_WE)
        if(NOT EXISTS ${dir}/${name}.cpp)
            set(check ${CMAKE_BINARY_DIR}/layers/checks/${folder}/${name}.cpp)
            file(CONFIGURE OUTPUT ${check} CONTENT "#include \"${folder}/${header}\"\n")
            target_sources(${target} PRIVATE ${check})
        endif()
    endforeach()
endfunction()
