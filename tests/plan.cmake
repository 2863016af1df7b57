# A plan made through the dialogs against tillory-cli's projection of its file.
tillory_test(plan_by_hand_test plan_by_hand_test.cpp LIBS tillory_shell tillory_mcanalysis)
add_dependencies(plan_by_hand_test tillory-cli)
target_compile_definitions(plan_by_hand_test PRIVATE TILLORY_CLI="$<TARGET_FILE:tillory-cli>")
