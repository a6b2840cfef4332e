# Copies the program data into the directory of the executables.
file(GLOB QRV_RESOURCE_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.lng
  ${CMAKE_SOURCE_DIR}/resources/*.dat
  ${CMAKE_SOURCE_DIR}/resources/*.jpg
  ${CMAKE_SOURCE_DIR}/resources/*.png
  ${CMAKE_SOURCE_DIR}/resources/Settings.ini)
set(QRV_RESOURCE_OUTPUTS)
foreach(res ${QRV_RESOURCE_FILES})
  get_filename_component(name ${res} NAME)
  set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${res} ${out}
    DEPENDS ${res} VERBATIM)
  list(APPEND QRV_RESOURCE_OUTPUTS ${out})
endforeach()
# The help pages keep their language folders.
file(GLOB_RECURSE QRV_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/*.html ${CMAKE_SOURCE_DIR}/resources/help/*.css)
foreach(page ${QRV_HELP_FILES})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/resources ${page})
  get_filename_component(dir ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${rel} DIRECTORY)
  set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${rel})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page} ${out}
    DEPENDS ${page} VERBATIM)
  list(APPEND QRV_RESOURCE_OUTPUTS ${out})
endforeach()
add_custom_target(qrv_resources ALL DEPENDS ${QRV_RESOURCE_OUTPUTS})
