# The `check` command on good, bad and missing pages: output and exit code.
# Arguments: TOOL, SOURCE_DIR.

function(expect_run want_code want_output)
  execute_process(COMMAND ${TOOL} ${ARGN}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL want_code)
    message(FATAL_ERROR "htmlmemdoc ${ARGN}: exit ${code}, want ${want_code}\n${out}${err}")
  endif()
  string(FIND "${out}${err}" "${want_output}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "htmlmemdoc ${ARGN}: output lacks '${want_output}':\n${out}${err}")
  endif()
endfunction()

set(good ${SOURCE_DIR}/examples/blank.htm)
set(bad ${SOURCE_DIR}/tests/data/comment_in_head.htm)

set(frames ${SOURCE_DIR}/examples/frames.htm)

expect_run(0 "${good}: ok" check ${good})
expect_run(0 "${frames}: ok" check ${frames})
set(welcome ${SOURCE_DIR}/examples/welcome.htm)
expect_run(0 "${welcome}: ok" check ${welcome})
expect_run(0 "images/rose.gif\nmedia/map.swf\naudio/birdsong.mid\nimages/paper.gif\nimages/rose_over.gif\nimages/tulip.gif\n" sources ${welcome})
expect_run(0 "images/rose.gif\n" sources --images ${welcome})
expect_run(1 "HTML syntax error" sources ${bad})
expect_run(1 "${bad}: HTML syntax error at Ln3, Col6" check ${bad})
expect_run(1 "${good}: ok" check ${good} ${bad})
expect_run(2 "cannot read" check ${SOURCE_DIR}/no/such/page.htm ${good})
expect_run(1 "examples/syntax_error.htm: HTML syntax error at Ln8, Col4" check ${SOURCE_DIR}/examples)
expect_run(1 "examples/welcome.htm: ok" check ${SOURCE_DIR}/examples ${SOURCE_DIR}/tests/data)
expect_run(2 "no .htm or .html pages found" check ${SOURCE_DIR}/cmake)
expect_run(0 "welcome.htm: images/rose.gif" sources --images ${SOURCE_DIR}/examples/welcome.htm ${SOURCE_DIR}/examples/frames.htm)
expect_run(1 "not a page" check ${SOURCE_DIR}/CMakeLists.txt)
expect_run(2 "PAGE is required" check)
expect_run(2 "subcommand" "")
expect_run(0 "htmlmemdoc 0." --version)
expect_run(0 "check" --help)
