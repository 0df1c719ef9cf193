# The class exercise's exchange: command and result files, the datagram slot,
# the participant protocol and the participant's checks (headless).
zl_add_test(network_core_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetzDateiTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MailSlotTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/TeilnehmerProtokollTest.cpp
  LIBS zl_network_core zl_netzsim_burst Qt6::Test)

# A whole class on one machine: one teacher and several participant processes.
add_test(NAME netzsim_klasse
  COMMAND netzsim run --participants 5 --answers 8 --channel both --scan 100 --delay-max 10 --timeout 60)
add_test(NAME netzsim_absturz
  COMMAND netzsim run --participants 4 --answers 8 --channel file --scan 50 --delay-max 5 --crash-after 3
          --timeout 60)
# A burst of foreign and damaged datagrams around a class's results, handled slowly.
add_test(NAME netzsim_burst COMMAND netzsim burst --datagrams 10000 --good 100 --participants 12 --delay 1
         --pause-every 5 --timeout 60)
set_tests_properties(netzsim_klasse netzsim_absturz netzsim_burst PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# A teacher and two participant Kartivo processes on the bundled atlas, driven
# through their windows, to a complete protocol on both channels.
add_test(NAME netzsim_kartivo
  COMMAND netzsim kartivo --prog ${ZL_KARTIVO_DIR}/ --participants 2 --answers 10 --channel both --timeout 60)
set_tests_properties(netzsim_kartivo PROPERTIES TIMEOUT 150 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
