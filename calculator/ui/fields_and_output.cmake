# Field validation and the save and print links of the main window.
target_sources(quillan_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/field_handlers.cpp ${CMAKE_CURRENT_LIST_DIR}/field_handlers.h
  ${CMAKE_CURRENT_LIST_DIR}/focus_validation.cpp ${CMAKE_CURRENT_LIST_DIR}/focus_validation.h
  ${CMAKE_CURRENT_LIST_DIR}/instructions_output.cpp ${CMAKE_CURRENT_LIST_DIR}/instructions_output.h
  ${CMAKE_CURRENT_LIST_DIR}/module1_input.cpp ${CMAKE_CURRENT_LIST_DIR}/module1_input.h
)
