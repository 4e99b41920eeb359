#pragma once
// The two modes of the document import, held as Fakt_Import: 0 revenue import (sales invoices
// and credit notes, debtor side), 2 incoming-invoice import (purchase documents, creditor side).

namespace fibuimport {

enum class ImportModus { Erloese = 0, Eingang = 2 };

inline int faktImport(ImportModus m) { return static_cast<int>(m); }

}  // namespace fibuimport
