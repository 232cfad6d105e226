# Release facts read from the package's own texts, so that each is written once:
#   packaging/changelog        VX_RELEASE_DATE (YYYY-MM-DD), VX_RELEASE_MONTH ("November 2016"),
#                              VX_RELEASE_EPOCH (seconds) and VX_RELEASE_NOTES_XML (the items of
#                              the newest entry as an AppStream list)
#   packaging/description.txt  VX_DESCRIPTION (package text) and VX_DESCRIPTION_XML (paragraphs)
# The newest changelog entry must be the project's version.

function(vx_xml_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Newest changelog entry: "vx (VERSION) ...", "  * item" lines continued by four spaces, and the
# trailer " -- maintainer  date".
file(READ ${PROJECT_SOURCE_DIR}/packaging/changelog changelog)
if(NOT changelog MATCHES "^vx \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry must be version ${PROJECT_VERSION}")
endif()
if(NOT changelog MATCHES "\n -- [^\n]*>  ([^\n]*)")
  message(FATAL_ERROR "packaging/changelog: the newest entry has no trailer line")
endif()
set(release_stamp "${CMAKE_MATCH_1}")
string(FIND "${changelog}" "\n -- " entry_end)
string(SUBSTRING "${changelog}" 0 ${entry_end} entry)
vx_xml_escape("${entry}" entry)
string(REGEX REPLACE "\n    +" " " entry "${entry}")
string(FIND "${entry}" "\n" head_end)
string(SUBSTRING "${entry}" ${head_end} -1 entry)
string(STRIP "${entry}" entry)
string(REGEX REPLACE " *\\* ([^\n]*)\n*" "          <li>\\1</li>\n" VX_RELEASE_NOTES_XML
       "${entry}")
set(VX_RELEASE_NOTES_XML "        <ul>\n${VX_RELEASE_NOTES_XML}        </ul>")

execute_process(COMMAND date -u -d "${release_stamp}" +%s
                OUTPUT_VARIABLE VX_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u -d @${VX_RELEASE_EPOCH} +%Y-%m-%d
                OUTPUT_VARIABLE VX_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND env LC_ALL=C date -u -d @${VX_RELEASE_EPOCH} "+%B %Y"
                OUTPUT_VARIABLE VX_RELEASE_MONTH OUTPUT_STRIP_TRAILING_WHITESPACE)

# The description: paragraphs separated by empty lines.
file(READ ${PROJECT_SOURCE_DIR}/packaging/description.txt VX_DESCRIPTION)
string(STRIP "${VX_DESCRIPTION}" VX_DESCRIPTION)
vx_xml_escape("${VX_DESCRIPTION}" text)
string(REGEX REPLACE "\n\n+" "</p>\n    <p>" text "${text}")
string(REGEX REPLACE "([^>])\n" "\\1 " text "${text}")
set(VX_DESCRIPTION_XML "    <p>${text}</p>")
