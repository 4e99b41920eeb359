# Main window, start-up, unattended start, wait window, message list and the feedback classes.
target_sources(fibu_shell PRIVATE
  areaentries.h
  kommandozeile.h kommandozeile.cpp
  twarten.h twarten.cpp
  tfehler.h tfehler.cpp
  widgetfeedback.h widgetfeedback.cpp
  konsolenfeedback.h konsolenfeedback.cpp
  programmstart.h programmstart.cpp
  unbeaufsichtigterstart.h unbeaufsichtigterstart.cpp
  tfm_haupt.h tfm_haupt.cpp
)
set_property(SOURCE tfm_haupt.cpp APPEND PROPERTY COMPILE_DEFINITIONS FIBU_VERSION="${PROJECT_VERSION}")
