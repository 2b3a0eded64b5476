# Tests of the GDI half of the native Win32 layer (platform/gdi_*, platform/oem_font*).
add_library(quillmere_gdi_test_support STATIC gdi_test_support.cc)
target_link_libraries(quillmere_gdi_test_support PUBLIC win32_api gtest)
target_compile_options(quillmere_gdi_test_support PRIVATE -Wno-conversion)

quillmere_add_test(gdi_text_test
  SOURCES gdi_text_test.cc
  LIBS quillmere_gdi_test_support)
quillmere_add_test_at_depths(gdi_text_test)

quillmere_add_test(gdi_dib_test
  SOURCES gdi_dib_test.cc
  LIBS quillmere_gdi_test_support)
quillmere_add_test_at_depths(gdi_dib_test)

quillmere_add_test(gdi_objects_test
  SOURCES gdi_objects_test.cc
  LIBS quillmere_gdi_test_support)
quillmere_add_test_at_depths(gdi_objects_test)

quillmere_add_test(gdi_faults_test
  SOURCES gdi_faults_test.cc
  LIBS quillmere_gdi_test_support)

quillmere_add_test(gdi_threads_test
  SOURCES gdi_threads_test.cc
  LIBS quillmere_gdi_test_support)

quillmere_add_test(gdi_oem_font_test
  SOURCES gdi_oem_font_test.cc
  LIBS win32_api)

quillmere_add_test(gdi_blackness_test
  SOURCES gdi_blackness_test.cc
  LIBS quillmere_gdi_test_support)
quillmere_add_test_at_depths(gdi_blackness_test)
