#pragma once
// The helper library in one include: numbers, texts, code pages, RTF, directories, INI list
// readers, VAT rate by date. NaechsteNummer lives with the local database
// (store/lokaledatenbank.h); the dataset helpers belong to the dataaccess layer.

#include "store/listenleser.h"
#include "store/rtfzutext.h"
#include "store/steuersatz.h"
#include "store/texte.h"
#include "store/verzeichnisse.h"
#include "store/zahlen.h"
#include "store/zeichensatz.h"
