tillory_test(cli_test cli_test.cpp LIBS tillory_cli_commands tillory_cli_json tillory_model)
add_dependencies(cli_test tillory-cli)
target_compile_definitions(cli_test PRIVATE
  TILLORY_CLI="$<TARGET_FILE:tillory-cli>"
  TILLORY_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
