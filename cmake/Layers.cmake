# A folder at the bottom of src/ is a library of its own. It sees its own headers and, through
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
endfunction()
