# cmake --install lays the program folder out as it is in build/app:
# everything beside the executable, so plug-ins, libvarnio, the skins and the
# board files are found through the program folder. A desktop entry and an
# icon go where the desktop looks for them, and ZEFAN is registered in the
# machine-wide store (/etc/velmar), as an installer must do.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /opt/velmar CACHE PATH "Program folder" FORCE)
endif()
set(VELMAR_INSTALL_DIR ${CMAKE_INSTALL_PREFIX})
set(VELMAR_DESKTOP_DIR /usr/share/applications CACHE PATH "Where the desktop entry goes")
set(VELMAR_ICON_DIR /usr/share/icons/hicolor/64x64/apps CACHE PATH "Where the icon goes")
set(VELMAR_SYSTEMD_UNIT_DIR /usr/lib/systemd/system CACHE PATH "Where the port service's units go")
set(VELMAR_SYSUSERS_DIR /usr/lib/sysusers.d CACHE PATH "Where the group velmar is declared")

foreach(target Velmar hwmonctl velmar-portd varnreg)
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION .)
  endif()
endforeach()
foreach(target ZEFAN VARNOCCTRL VARNAUTOPACE VARNEQ varnio varnio_backend)
  if(TARGET ${target})
    install(TARGETS ${target} LIBRARY DESTINATION .)
  endif()
endforeach()
install(DIRECTORY ${VELMAR_APP_DIR}/Skin DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/boards/SimulatedBoard.ini
              ${CMAKE_SOURCE_DIR}/boards/Generic-W83627EHF.ini
              ${CMAKE_SOURCE_DIR}/boards/TEMPLATE.ini.example DESTINATION .)

configure_file(${CMAKE_SOURCE_DIR}/cmake/install/velmar.desktop.in
               ${CMAKE_BINARY_DIR}/velmar.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/velmar.desktop DESTINATION ${VELMAR_DESKTOP_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/host/res/icons/130.png DESTINATION ${VELMAR_ICON_DIR}
        RENAME velmar.png)

# Registering writes the machine-wide hive; under DESTDIR it goes into the
# staged /etc/velmar so a package carries it. The build's varnreg does it:
# the installed one may not be in place yet when this runs.
install(CODE "
  set(hives \"\$ENV{DESTDIR}/etc/velmar\")
  execute_process(
    COMMAND \"$<TARGET_FILE:varnreg>\" --registry-dir \"\${hives}\"
            set \"HKLM\\\\SOFTWARE\\\\VARN\\\\APM\" ZEFAN --string \"${VELMAR_INSTALL_DIR}/ZEFAN.so\"
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR \"could not register ZEFAN in \${hives}\")
  endif()
  message(STATUS \"Registered ZEFAN in \${hives}/HKEY_LOCAL_MACHINE.reg\")
")

# The port service: its units with the program folder filled in, and the
# group's sysusers.d entry. It needs no tmpfiles.d entry: the socket unit
# makes /run/velmar, and the claim file lives in /run/lock. Installed on the
# machine itself (no DESTDIR), the group is made at once, as a package's
# post-install step would, so the README's three commands are all a user
# runs; staged, the package does that.
if(TARGET velmar-portd)
  configure_file(${VELMAR_PORTD_SYSTEMD_DIR}/velmar-portd.service.in
                 ${CMAKE_BINARY_DIR}/velmar-portd.service @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/velmar-portd.service ${VELMAR_PORTD_SYSTEMD_DIR}/velmar-portd.socket
          DESTINATION ${VELMAR_SYSTEMD_UNIT_DIR})
  install(FILES ${VELMAR_PORTD_SYSTEMD_DIR}/velmar.sysusers DESTINATION ${VELMAR_SYSUSERS_DIR}
          RENAME velmar.conf)
  install(CODE "
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
      find_program(sysusers systemd-sysusers)
      if(sysusers)
        execute_process(COMMAND \"\${sysusers}\" \"${VELMAR_SYSUSERS_DIR}/velmar.conf\")
      endif()
      if(EXISTS /run/systemd/system)
        execute_process(COMMAND systemctl daemon-reload)
      endif()
    endif()
  ")
endif()
# The mode-control, automatic-mode and hardware-monitor plug-ins are
# registered the same way: their value names are free, their data the
# installed library.
foreach(target VARNOCCTRL VARNAUTOPACE VARNEQ)
  if(TARGET ${target})
    install(CODE "
      execute_process(
        COMMAND \"$<TARGET_FILE:varnreg>\" --registry-dir \"\$ENV{DESTDIR}/etc/velmar\"
                set \"HKLM\\\\SOFTWARE\\\\VARN\\\\APM\" ${target} --string \"${VELMAR_INSTALL_DIR}/${target}.so\"
        RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"could not register ${target}\")
      endif()
      message(STATUS \"Registered ${target}\")
    ")
  endif()
endforeach()
