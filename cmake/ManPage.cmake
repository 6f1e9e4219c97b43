# Writes a manual page from a program's --help text: cmake -DPROGRAM=... -DNAME=... -DSUMMARY=...
# -DVERSION=... -DOUTPUT=... -P ManPage.cmake. The help text is kept as it is, in a no-fill block.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status
                ERROR_VARIABLE help_err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status} ${help_err}")
endif()
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
# A line starting with a dot or an apostrophe would be read as a request.
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" upper)
string(REPLACE "-" "\\-" name_escaped "${NAME}")
file(WRITE ${OUTPUT}
".TH ${upper} 1 \"dezembro de 2026\" \"Lumesco ${VERSION}\" \"Comandos do usuário\"\n"
".SH NOME\n${name_escaped} \\- ${SUMMARY}\n"
".SH DESCRIÇÃO\n.nf\n${help}.fi\n"
".SH \"VEJA TAMBÉM\"\n.BR lumesco (1)\n")
