# Foliavo holds nothing of Kartivo's window, the exercises, the class exercise or the
# tools beside the label editor: neither in what it links nor among its symbols.
if(TARGET Foliavo)
  add_test(NAME foliavo_ohne_kartivo
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check-foliavo.sh $<TARGET_FILE:Foliavo> ${ZL_FOLIAVO_BIBLIOTHEKEN})
endif()
