# Writes SHA256SUMS beside a release's files, as `sha256sum --check` reads it, so that a download
# can be checked against a rebuild. The Windows release includes it with FILES set; CPack runs it
# after the Debian package (CPACK_POST_BUILD_SCRIPTS), while the package is still in its work folder.
if(FILES)
    list(GET FILES 0 first)
    cmake_path(GET first PARENT_PATH folder)
else()
    set(FILES ${CPACK_PACKAGE_FILES})
    set(folder ${CPACK_PACKAGE_DIRECTORY})
endif()
set(sums "")
foreach(file IN LISTS FILES)
    file(SHA256 ${file} sum)
    cmake_path(GET file FILENAME name)
    string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE ${folder}/SHA256SUMS "${sums}")
