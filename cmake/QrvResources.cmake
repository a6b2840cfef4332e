# Copies the program data into the directory of the executables.
file(GLOB QRV_RESOURCE_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.lng
  ${CMAKE_SOURCE_DIR}/resources/*.dat
  ${CMAKE_SOURCE_DIR}/resources/*.jpg
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
add_custom_target(qrv_resources ALL DEPENDS ${QRV_RESOURCE_OUTPUTS})
