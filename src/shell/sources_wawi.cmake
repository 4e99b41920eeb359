target_sources(fibu_shell PRIVATE
  entries_wawi.cpp
  tfm_wawicfg.h tfm_wawicfg.cpp
  tverbindungdialog.h tverbindungdialog.cpp
)
