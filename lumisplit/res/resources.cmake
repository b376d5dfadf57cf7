# Toolbar images, and the README that the Help command points to.
target_sources(lumisplit_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/lumisplit.qrc)
target_compile_definitions(lumisplit_gui PRIVATE
  LUMISPLIT_README="${CMAKE_INSTALL_FULL_DOCDIR}/README.md")
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
