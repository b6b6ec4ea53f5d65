# rw_embed_binary(<target> <symbol> <file> [OFFSET <bytes>]): embeds a binary file into <target> at build time.
#
# Generates embedded/<symbol>.h and a source file defining
#     std::span<const std::uint8_t> rw::res::<symbol>();
# which returns the file's bytes from OFFSET (default 0) to its end. The header's folder is added to the
# target's public include path, so users write #include "embedded/<symbol>.h". The file is read again
# whenever it changes. Include this file once (src/res does); the function is then usable everywhere.
function(rw_embed_binary target symbol file)
  cmake_parse_arguments(ARG "" "OFFSET" "" ${ARGN})
  if(NOT ARG_OFFSET)
    set(ARG_OFFSET 0)
  endif()
  get_filename_component(input ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedFile.cmake)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/embed_${target})
  set(header ${out_dir}/embedded/${symbol}.h)
  set(source ${out_dir}/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${header} ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DSYMBOL=${symbol} -DOFFSET=${ARG_OFFSET}
            -DHEADER=${header} -DSOURCE=${source} -P ${script}
    DEPENDS ${input} ${script}
    COMMENT "Embedding ${file} as rw::res::${symbol}()"
    VERBATIM)
  target_sources(${target} PRIVATE ${source} ${header})
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()
