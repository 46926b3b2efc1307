# Makes, in DIR, files of the kinds qelhost must refuse without reading them
# whole or waiting on them: a folder, a FIFO, an empty file, and sparse files
# of exactly the size limit and just over it.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR}/folder.dll)
file(WRITE ${DIR}/empty.dll "")
execute_process(COMMAND mkfifo ${DIR}/fifo.dll COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND truncate -s 64M ${DIR}/at_limit.dll COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND truncate -s 65M ${DIR}/oversized.dll COMMAND_ERROR_IS_FATAL ANY)
