# Part of make install: the Python package and its command, by
# python/instala.sh, under DESTDIR and the prefix of this install.
set(destino "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
message(STATUS "Installing: the Python package bctovsel in ${destino}/${BCT_PYTHON_SITE}")
execute_process(COMMAND sh "${BCT_FONTE_PYTHON}/instala.sh" "${BCT_FONTE_PYTHON}"
                        "${BCT_TRABALHO_PYTHON}" "${destino}/${BCT_PYTHON_SITE}"
                        "${destino}/${BCT_BINDIR}"
                RESULT_VARIABLE falhou)
if(falhou)
  message(FATAL_ERROR "the Python package could not be installed (python/instala.sh: ${falhou})")
endif()
