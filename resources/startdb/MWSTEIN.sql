-- VAT, cash-discount and overpayment accounts of the bookkeeping per VAT code.
CREATE TABLE MWSTEIN (
  MWSTSATZ INTEGER PRIMARY KEY,
  MWST DOUBLE,
  Name VARCHAR(40),
  NMWST DOUBLE,
  MWSTKONTOV INTEGER,
  SKONTOV INTEGER,
  SKONTOVEU INTEGER,
  SKONTOVNEU INTEGER,
  SKONTOVBAU INTEGER,
  MWSTKONTOE INTEGER,
  SKONTOE INTEGER,
  SKONTOEEU INTEGER,
  SKONTOENEU INTEGER,
  SKONTOEBAU INTEGER,
  UEBERZAHLV INTEGER,
  UEBERZAHLVFREI INTEGER,
  UEBERZAHLE INTEGER,
  UEBERZAHLEFREI INTEGER
);
-- SKR03. Columns: code, rate, label, current rate,
--   sales: VAT account, discount, discount EU, discount non-EU, discount construction,
--   purchases: VAT account, discount, discount EU, discount non-EU, discount construction,
--   overpayment sales, sales tax-free, purchases, purchases tax-free.
INSERT INTO MWSTEIN VALUES (0, 0, 'steuerfrei (Umsatz-/Vorsteuer 0 %)', 0,
  0, 8730, 8743, 8730, 8741,  0, 3730, 3745, 3730, 3741,  2700, 2700, 2300, 2300);
INSERT INTO MWSTEIN VALUES (1, 19, 'Umsatzsteuer/Vorsteuer 19 %', 19,
  1776, 8736, 8743, 8730, 8741,  1576, 3736, 3745, 3730, 3741,  8400, 2700, 3400, 2300);
INSERT INTO MWSTEIN VALUES (2, 7, 'Umsatzsteuer/Vorsteuer 7 %', 7,
  1771, 8731, 8743, 8730, 8741,  1571, 3731, 3745, 3730, 3741,  8300, 2700, 3300, 2300);
INSERT INTO MWSTEIN VALUES (3, 16, 'Umsatzsteuer/Vorsteuer 16 % (alt)', 16,
  1775, 8735, 8743, 8730, 8741,  1575, 3735, 3745, 3730, 3741,  8400, 2700, 3400, 2300);
INSERT INTO MWSTEIN VALUES (4, 5, 'Umsatzsteuer/Vorsteuer 5 % (alt)', 5,
  1773, 8730, 8743, 8730, 8741,  1570, 3730, 3745, 3730, 3741,  8300, 2700, 3300, 2300);
INSERT INTO MWSTEIN VALUES (5, 0, 'EU-Lieferung (Umsatz-/Vorsteuer 0 %)', 0,
  0, 8743, 8743, 8730, 8741,  0, 3745, 3745, 3730, 3741,  2700, 2700, 2300, 2300);
INSERT INTO MWSTEIN VALUES (6, 0, 'Ausfuhr Drittland (Umsatz-/Vorsteuer 0 %)', 0,
  0, 8730, 8743, 8730, 8741,  0, 3730, 3745, 3730, 3741,  2700, 2700, 2300, 2300);
INSERT INTO MWSTEIN VALUES (7, 0, 'Bauleistung 13b (Umsatz-/Vorsteuer 0 %)', 0,
  0, 8741, 8743, 8730, 8741,  0, 3741, 3745, 3730, 3741,  2700, 2700, 2300, 2300);
