# The gtest programs of the 32-bit build, in a handful of processes: under
# 32-bit wine every process start is dear (about a minute when the machine
# emulates 32-bit code), so the tests are not run one process each.
#
# The unit tests that need a process where some sibling has never been
# loaded, or the blend table never built, are grouped so that no test of a
# group spoils the state another one needs, in whatever order they run;
# every other unit test shares one process. A new test that fails only
# beside the others belongs in a group here.
set(fresh_unit_groups
  # Nothing stays loaded after any of these.
  nothing_loaded
  "Platform.FindsALoadedModuleByItsNameAlone:Platform.FindingAModuleTakesNoReference:PictureCacheTest.WithoutVaultrixEveryRequestShowsTheMessage:Binding.AModuleThatIsNotLoadedShowsOneMessage:Binding.AModuleWithoutTheExportNamesItselfOnTheFirstLine"
  # One needs Scrivo2 never loaded and loads Plotra; the other needs
  # Pictura never loaded and loads Vaultrix.
  without_scrivo2_or_pictura
  "Binding.SetTextWithoutScrivo2ShowsTheMessageEveryTime:PictureCacheTest.WithoutPicturaEveryRequestShowsTheMessageAndGivesBackWhatItGot"
  without_plotra
  "Binding.SetTextWithoutPlotraDropsOnlyTheFirstText"
  # Both need a blend table that no binding has built.
  without_blend_table
  "DrawPassWithoutPlotra.PlainTextStillDraws:Binding.PlotraThatCannotStartIsPublishedButNotSetUp")

# gtest's own verdict line, not the exit status alone: a wine process that
# loses its server can end with status 0 in the middle of a run.
function(quenta_gtest_process name target filter)
  add_test(NAME ${name} COMMAND ${target} --gtest_filter=${filter})
  # One at a time: these processes share one wine server and desktop, and a
  # test reading the message box it expects must not meet another's box.
  set_tests_properties(${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ test"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
    RUN_SERIAL TRUE)
endfunction()

set(grouped "")
set(groups ${fresh_unit_groups})
while(groups)
  list(POP_FRONT groups group filter)
  quenta_gtest_process(quenta_unit_tests.${group} quenta_unit_tests "${filter}")
  string(APPEND grouped ":${filter}")
endwhile()
string(SUBSTRING "${grouped}" 1 -1 grouped)
quenta_gtest_process(quenta_unit_tests.shared quenta_unit_tests "*-${grouped}")

# Each boundary test loads and unloads every module itself.
quenta_gtest_process(quenta_boundary_tests quenta_boundary_tests "*")

# The parser, layout and draw-pass tests and the shared headers' touch no
# process-wide state at all. The host kit's tests need a process each (some
# expect the module's message boxes from a fresh binding); they run in the
# 64-bit builds, and the C host covers the 32-bit calls.
quenta_gtest_process(quenta_layout_tests quenta_layout_tests "*")
quenta_gtest_process(quenta_header_tests quenta_header_tests "*")
