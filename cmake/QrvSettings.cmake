# One interface target carries the language level, the warnings and the
# strict Qt flags; every target of the project links it.
add_library(qrv_settings INTERFACE)
target_compile_features(qrv_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(qrv_settings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion>
  $<$<CXX_COMPILER_ID:MSVC>:/W4 /utf-8>)
target_compile_definitions(qrv_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  QT_STRICT_ITERATORS
  QT_DISABLE_DEPRECATED_UP_TO=0x060000)

if(QRV_COVERAGE)
  target_compile_options(qrv_settings INTERFACE --coverage -fno-inline -fprofile-update=atomic)
  target_link_options(qrv_settings INTERFACE --coverage)
endif()
if(QRV_SANITIZE)
  target_compile_options(qrv_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qrv_settings INTERFACE -fsanitize=address,undefined)
endif()
