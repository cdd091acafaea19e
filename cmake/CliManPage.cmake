# Writes the manual page of plumetra-cli from its own help: the program's help, then each
# command's, so the page never drifts from the options. Run as
#   cmake -DCLI=path/to/plumetra-cli -DVERSION=x.y.z -DOUT=plumetra-cli.1 -P CliManPage.cmake

function(cli_help out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed (${status})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Help text as literal roff lines: backslashes and minus signs escaped, no line starting a request.
function(as_roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

cli_help(main_help)
# The commands are the lines of the "Subcommands:" section: two blanks, the name, its summary.
string(REGEX REPLACE "^.*\nSubcommands:\n" "" command_lines "${main_help}")
string(REGEX MATCHALL "(^|\n)  [a-z-]+" commands "${command_lines}")

as_roff(main_roff "${main_help}")
set(page ".TH PLUMETRA\\-CLI 1 \"December 2026\" \"plumetra\\-cli ${VERSION}\" \"User Commands\"
.SH NAME
plumetra\\-cli \\- broiler flock analysis, growth model and calibration from the command line
.SH SYNOPSIS
.B plumetra\\-cli
[\\fB\\-q\\fR] \\fICOMMAND\\fR [\\fIOPTIONS\\fR]
.SH DESCRIPTION
.B plumetra\\-cli
runs the analyses of
.BR plumetra (1)
without a window: it reads flock and diet tables, matches their columns, splits and compares
the flocks, predicts, calibrates and writes its results as tab\\-separated text, workbooks and
an HTML report.
Summaries go to standard output; notes and warnings (\\(lqwarning: ...\\(rq) to standard error,
progress only on a terminal; errors to standard error as \\(lqplumetra\\-cli: error: ...\\(rq.
With \\fB\\-q\\fR only the errors are left; \\fB\\-\\-json\\fR (analyze, calibrate, lower\\-cost,
revalue and fit) writes the summary as one JSON document on standard output.
.PP
${main_roff}.SH COMMANDS
")
foreach(entry ${commands})
  string(STRIP "${entry}" command)
  cli_help(command_help ${command})
  as_roff(command_roff "${command_help}")
  string(APPEND page ".SS ${command}\n${command_roff}")
endforeach()
string(APPEND page ".SH EXIT STATUS
0 on success, 1 when the data or the model failed, 2 on a usage error.
.SH SEE ALSO
.BR plumetra (1)
")
file(WRITE "${OUT}" "${page}")
