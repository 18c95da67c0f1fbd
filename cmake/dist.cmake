# Makes the release package: the stripped module, the install note (with Windows line ends) and their
# SHA-256 sums, zipped in a folder named as the stage (Quillon-1.1/), so that unpacking it leaves one
# folder rather than loose files. Run with cmake -P; MODULE, STRIP, NOTE, STAGE and ZIP are passed in.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
get_filename_component(module_name ${MODULE} NAME)
execute_process(COMMAND ${STRIP} --strip-all -o ${STAGE}/${module_name} ${MODULE} RESULT_VARIABLE stripped)
if(NOT stripped EQUAL 0)
  message(FATAL_ERROR "could not strip ${MODULE}")
endif()

file(READ ${NOTE} note)
string(REPLACE "\r\n" "\n" note "${note}")
string(REPLACE "\n" "\r\n" note "${note}")
file(WRITE ${STAGE}/INSTALL.txt "${note}")

set(sums "")
foreach(member ${module_name} INSTALL.txt)
  file(SHA256 ${STAGE}/${member} hash)
  string(APPEND sums "${hash}  ${member}\n")
endforeach()
file(WRITE ${STAGE}/SHA256SUMS "${sums}")

get_filename_component(folder ${STAGE} NAME)
get_filename_component(stage_parent ${STAGE} DIRECTORY)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${folder}/${module_name}
                        ${folder}/INSTALL.txt ${folder}/SHA256SUMS
                WORKING_DIRECTORY ${stage_parent} RESULT_VARIABLE zipped)
if(NOT zipped EQUAL 0)
  message(FATAL_ERROR "could not write ${ZIP}")
endif()
