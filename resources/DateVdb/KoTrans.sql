-- Revenue accounts replaced for deliveries into EU countries above the delivery threshold.
CREATE TABLE KoTrans (
  D_Konto INTEGER,
  Land VARCHAR(40),
  A_Konto INTEGER,
  Bemerkung TEXT
);
CREATE INDEX IX_TRANS ON KoTrans (D_Konto, Land);
