# The Spanish user guide "tiravel4_sp.pdf", opened by the help of the Spanish
# interface, is printed at build time from the Spanish help pages of the data
# folder: guide/tiravel4_sp.pdf in the build folder.
find_package(Qt6 REQUIRED COMPONENTS Gui)

get_filename_component(TIRAVEL_GUIDE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

add_executable(tiravel4-make-guide ${TIRAVEL_GUIDE_ROOT}/shell/MakeGuideMain.cpp)
target_link_libraries(tiravel4-make-guide PRIVATE Qt6::Gui)

# In reading order: the guide follows the pages as the help menu presents them.
set(TIRAVEL_GUIDE_PAGES
  ${TIRAVEL_GUIDE_ROOT}/div_tiravel/html_sp/index.htm
  ${TIRAVEL_GUIDE_ROOT}/div_tiravel/html_sp/evaluation.htm
  ${TIRAVEL_GUIDE_ROOT}/div_tiravel/html_sp/reeducation.htm
  ${TIRAVEL_GUIDE_ROOT}/div_tiravel/html_sp/mediatheque.htm)
set(TIRAVEL_GUIDE ${CMAKE_BINARY_DIR}/guide/tiravel4_sp.pdf)

add_custom_command(OUTPUT ${TIRAVEL_GUIDE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/guide
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:tiravel4-make-guide> ${TIRAVEL_GUIDE} ${TIRAVEL_GUIDE_PAGES}
  DEPENDS tiravel4-make-guide ${TIRAVEL_GUIDE_PAGES}
  COMMENT "Printing the Spanish user guide"
  VERBATIM)
add_custom_target(guide ALL DEPENDS ${TIRAVEL_GUIDE})
