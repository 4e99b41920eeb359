# Connection, dialects, dataset core and queries.
target_sources(fibu_dataaccess PRIVATE
  eqemdatabaseerror.h
  qemlayerstate.h qemlayerstate.cpp
  sqlerrorlog.h sqlerrorlog.cpp
  sqldialect.h sqldialect.cpp
  qemdriversettings.h qemdriversettings.cpp
  tqemconnection.h tqemconnection.cpp
  tqemparams.h tqemparams.cpp
  tqemdatasource.h tqemdatasource.cpp
  tqemfield.h tqemfield.cpp
  tqemdataset.h tqemdataset.cpp
  tqemquery.h tqemquery.cpp
  datasethelpers.h datasethelpers.cpp
)
find_package(SQLite3 REQUIRED)
target_link_libraries(fibu_dataaccess PRIVATE SQLite::SQLite3)
