#include "Error.h"

namespace fb {

Error::Error(Kind kind, const QString &message, long errorCode, const QString &sqlState)
    : std::runtime_error(message.toStdString()), kind_(kind), message_(message), errorCode_(errorCode),
      sqlState_(sqlState)
{
}

} // namespace fb
