#pragma once
// How the columns of PrimaryInspection and ScriningCard correspond to the members of the
// sheet and the card: one entry per column, in the table's column order, used alike by the
// insert, the update and the load, so that a column is named in one place only. The row
// stamp columns are not here: SetRowStamp fills them, and the load never reads them.
//
// An entry's getter gives the value the column receives, with the storage rules already
// applied (a missing medicine is written empty, the card's derived values are computed
// now); its setter takes a stored value (null for an empty column) back through the
// document's validating setter, so a stored value out of range fails as if it were typed.
#include <QVariant>
#include <vector>

class TPIList;
class TScriningCard;
struct TColumnDef;

template <class Doc> struct TDocumentColumn {
    const char* name;
    QVariant (*get)(const Doc&);
    void (*set)(Doc&, const QVariant&); // nullptr: written, never read back
    const TColumnDef* def = nullptr;    // the column's layout (TSchema), for TSchema::ToStored
};

using TSheetColumn = TDocumentColumn<TPIList>;
using TCardColumn = TDocumentColumn<TScriningCard>;

// Each list checks itself against the table's layout when first built and throws
// EDatabaseError on a mismatch: the card is inserted positionally, so the order matters.
const std::vector<TSheetColumn>& SheetColumns();
const std::vector<TCardColumn>& CardColumns();

// A value as its column receives it: fitted by TSchema::ToStored, and empty text as an
// empty column, so that a blank answer is stored one way whether or not the text was ever set.
QVariant FitToColumn(const TColumnDef& def, const QVariant& value);
template <class Doc> QVariant StoredValue(const TDocumentColumn<Doc>& c, const Doc& d) { return FitToColumn(*c.def, c.get(d)); }

// The row stamp columns, in the order both document tables carry them after their data.
extern const char* const kStampColumns[4];
