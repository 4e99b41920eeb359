-- Booking journal: one row per booking. BuchNr is given out by the table and never again,
-- also after the last booking was deleted. Buchungstext holds the import's longest text
-- (prefix of 20 characters, kind word, document number and personal account number).
CREATE TABLE Buchungen (
  BuchNr INTEGER PRIMARY KEY AUTOINCREMENT,
  Buchungsnummer INTEGER,
  Datum DATE,
  Soll INTEGER,
  Haben INTEGER,
  Buchungstext VARCHAR(80),
  Brutto DOUBLE,
  Netto DOUBLE,
  USTBetrag DOUBLE,
  USTSollKonto INTEGER,
  USTHabenKonto INTEGER,
  MwSt INTEGER,
  MwStPro DOUBLE,
  Export BOOLEAN DEFAULT 0,
  PrgNr INTEGER,
  Mandant INTEGER,
  Auftrag INTEGER,
  Adresse INTEGER,
  Kostenstelle1 INTEGER,
  Kostenstelle2 INTEGER,
  Splittnummer INTEGER,
  ValutaDatum DATE
);
-- Export by date range, the bookings of one document, search by voucher number.
CREATE INDEX IX_Datum ON Buchungen (Datum);
CREATE INDEX IX_Vorgang ON Buchungen (PrgNr, Auftrag);
CREATE INDEX IX_Buchungsnummer ON Buchungen (Buchungsnummer);
