include_guard(GLOBAL)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

# scorvale_render_svg(OUT_VAR SVG NAME SIZE...): the square drawing SVG as
# PNG files NAME-SIZE.png in the current binary folder, one for each SIZE,
# made at build time; their paths in OUT_VAR.
function(scorvale_render_svg out_var svg name)
  set(pngs)
  foreach(size ${ARGN})
    set(png ${CMAKE_CURRENT_BINARY_DIR}/${name}-${size}.png)
    add_custom_command(OUTPUT ${png} COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
                       DEPENDS ${svg} VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()
