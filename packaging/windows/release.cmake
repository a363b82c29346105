# Makes the Windows release from a built tree: installs it into a staged folder, signs the program
# when a signer is given, and wraps the folder as an NSIS installer and as a zip, with SHA256SUMS
# beside them. The windows-release target runs it; so does the signing test, into a folder of its own.
#   cmake -DBUILD=… -DWORK=… -DNAME=… -DINSTALLER=… -DZIP=… -DMAKENSIS=… -DNSI=… -DPYTHON=…
#         [-DSIGN=sign.sh] [-DSOURCE_DATE_EPOCH=seconds] -P release.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
    execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The sources' time, the build's without it: binutils' strip writes it into every PE file it
# strips, the installer and the zip keep it as each file's time.
if(NOT SOURCE_DATE_EPOCH)
    string(TIMESTAMP SOURCE_DATE_EPOCH "%s" UTC)
endif()
set(ENV{SOURCE_DATE_EPOCH} ${SOURCE_DATE_EPOCH})

set(STAGE ${WORK}/stage/${NAME})
file(REMOVE_RECURSE ${WORK}/stage)
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${STAGE} --strip)
if(SIGN)
    run(${SIGN} ${STAGE}/shujian.exe)
endif()

# The installer's lists; they leave the staged files, sorted, in `files`.
set(OUT ${WORK})
include(${CMAKE_CURRENT_LIST_DIR}/file_lists.cmake)

# Every staged file gets that one time, whatever the times of the build and of Qt's build were.
list(TRANSFORM files PREPEND ${STAGE}/ OUTPUT_VARIABLE staged)
run(touch --no-dereference --date=@${SOURCE_DATE_EPOCH} ${staged})

set(nsis_defines -DSTAGE=${STAGE} -DOUTFILE=${INSTALLER} -DLISTS=${WORK})
if(SIGN)
    list(APPEND nsis_defines -DSIGN=${SIGN})
endif()
run(${MAKENSIS} -V2 -INPUTCHARSET UTF8 ${nsis_defines} ${NSI})

list(TRANSFORM files PREPEND ${NAME}/ OUTPUT_VARIABLE entries)
run(${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/make_zip.py ${ZIP} ${WORK}/stage ${SOURCE_DATE_EPOCH}
    ${entries})

set(FILES ${INSTALLER} ${ZIP})
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/sha256sums.cmake)
