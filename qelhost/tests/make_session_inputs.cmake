# Makes, in DIR, the session inputs qelhost must take or refuse without
# hanging or reading them whole: scripts of every kind, and folders holding
# the plugin PLUGIN beside language files of every kind.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR}/folder.qel)
execute_process(COMMAND mkfifo ${DIR}/fifo.qel COMMAND_ERROR_IS_FATAL ANY)
string(ASCII 27 Escape)
string(ASCII 239 187 191 ByteOrderMark)
file(WRITE ${DIR}/bom.qel "${ByteOrderMark}jump\n")
file(WRITE ${DIR}/escape.qel "jump${Escape}[2J\n")
file(WRITE ${DIR}/not_cp866.qel "answer type \"日本\"\n")
file(WRITE ${DIR}/menu_past.qel "menu panels 99999999999\n")
string(REPEAT "a" 70000 LongLine)
file(WRITE ${DIR}/long_line.qel "# fine\n${LongLine}\n")
# More than 16 MiB of comment lines.
string(REPEAT "# a comment line of the session script, longer than most\n" 4096 Block)
string(REPEAT "${Block}" 80 Lines)
file(WRITE ${DIR}/too_big.qel "${Lines}")
file(WRITE ${DIR}/open.qel "open ${DIR}/fifo.qel\nopen /dev/zero\nopen ${DIR}/folder.qel\n"
                           "open ${DIR}/too_big.qel\n")

# Language files beside the plugin, one folder each.
function(language_folder NAME)
    file(MAKE_DIRECTORY ${DIR}/${NAME})
    file(COPY ${PLUGIN} DESTINATION ${DIR}/${NAME})
    if(ARGC GREATER 1)
        file(WRITE ${DIR}/${NAME}/fixture.lng "${ARGV1}")
    endif()
endfunction()
set(Header ".Language=English,English\n")
language_folder(empty_lng "")
language_folder(unterminated_lng "${Header}\"Fixture\"\n\"&Close\n\"third\"\n")
language_folder(utf8_lng "${Header}\"Fixture\"\n\"Закрыть\"\n")
language_folder(bom_lng "${ByteOrderMark}${Header}\"Fixture\"\n")
language_folder(fifo_lng)
execute_process(COMMAND mkfifo ${DIR}/fifo_lng/fixture.lng COMMAND_ERROR_IS_FATAL ANY)
language_folder(folder_lng)
file(MAKE_DIRECTORY ${DIR}/folder_lng/fixture.lng)
