#include "statement/StatementCell.h"

namespace ulk::statement {

QString StatementCell::count(int n)
{
    // A literal empty text: a null QString would be stored as Null.
    return n == 0 ? QStringLiteral("") : QString::number(n);
}

} // namespace ulk::statement
