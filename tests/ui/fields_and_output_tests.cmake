# Field validation, and saving and printing the instructions list.
add_library(quillan_fields_test_support STATIC test_fields_support.cpp test_fields_support.h)
target_link_libraries(quillan_fields_test_support PUBLIC quillan_ui_test_support)
# Mouse clicks travel through the window, as the platform delivers them, so that the
# validate mechanism sees them before Qt moves the focus.
target_compile_definitions(quillan_fields_test_support PUBLIC QTEST_QPA_MOUSE_HANDLING)

foreach(name module1_input focus_validation fields_handlers fields_random output_save output_print
    instructions_list)
  quillan_ui_test(test_ui_${name} test_${name}.cpp)
  target_link_libraries(test_ui_${name} PRIVATE quillan_fields_test_support)
endforeach()

find_program(PDFTOTEXT_EXECUTABLE pdftotext)
target_compile_definitions(test_ui_output_print PRIVATE PDFTOTEXT="${PDFTOTEXT_EXECUTABLE}")
